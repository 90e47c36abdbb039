#include "core/edit/CKelvoView.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/TagCase.h"

CKelvoView::CKelvoView(CKelvoApp& app, EditBuffer& buffer) : m_app(app), m_buffer(buffer) {}

void CKelvoView::OnInitialUpdate()
{
    m_app.GetUi().SetWindowTitle(CKelvoDoc::WindowTitleFor(m_app.Doc().GetTitle()));
}

void CKelvoView::InsertTagText(const QString& text, bool remember)
{
    QString t = text;
    if (m_app.TagLower())
        ConvertTagCase(t, true);
    int start = 0, end = 0;
    m_buffer.GetSel(start, end);
    m_buffer.ReplaceSel(t);
    m_buffer.SetModified(true);
    if (end != start
        && m_app.GetProfileInt(settings::System, QStringLiteral("TagSelectContinue"), 0) != 0) {
        m_buffer.SetSel(start, start + static_cast<int>(t.size()));
        m_buffer.ScrollCaret();
    }
    if (remember) {
        const qsizetype firstClose = t.indexOf(u'>');
        m_lastStartTag = firstClose >= 0 ? t.left(firstClose + 1) : t;
        const qsizetype lastClose = t.lastIndexOf(u'>');
        if (firstClose == lastClose) {
            m_lastEndTag.clear();
        } else {
            const qsizetype slash = t.lastIndexOf(u'/');
            m_lastEndTag = slash >= 1 ? t.mid(slash - 1) : t.mid(std::max<qsizetype>(slash, 0));
        }
    }
}

void CKelvoView::SetLastTags(const QString& start, const QString& end)
{
    m_lastStartTag = start;
    m_lastEndTag = end;
}
