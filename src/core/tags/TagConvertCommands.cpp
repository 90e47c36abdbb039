#include "core/tags/TagConvertCommands.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandTable.h"
#include "core/app/Ui.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/TagCase.h"
#include "core/tags/TagConvertCommandIds.h"
#include "core/tags/TagRemoval.h"
#include "core/tags/TagView.h"

#include <QString>

#include <memory>

namespace {

const QString kNoValidTag = QStringLiteral("有効なタグがありません");

} // namespace

TagConvertCommands::TagConvertCommands(CKelvoApp& app) : m_app(app) {}

void TagConvertCommands::OnRemoveOutermost()
{
    const QString text = TagView(m_app.View()).GetSelectionText();
    const std::optional<OutermostElement> element = FindOutermostElement(text);
    Ui& ui = m_app.GetUi();
    if (!element) {
        ui.Message(kNoValidTag);
        return;
    }
    if (ui.Ask(UiText(QStringLiteral("タグ  %1 を削除します。よろしいですか？")).arg(element->name),
               Ui::Buttons::OkCancel, Ui::Icon::Question)
        != Ui::Answer::Ok)
        return;
    // The question names only the tag: the two tags go, and everything else
    // of the selection stays, also the text before and after the element.
    const QString kept = text.left(element->startTag)
                         + text.mid(element->contentStart,
                                    element->contentEnd - element->contentStart)
                         + text.mid(element->endTagEnd);
    EditBuffer& buffer = m_app.View().Buffer();
    buffer.ReplaceSel(kept);
    buffer.SetModified(true);
}

void TagConvertCommands::OnStripSelection()
{
    EditBuffer& buffer = m_app.View().Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    if (end <= start)
        return;
    const QString result = StripTags(buffer.GetText().mid(start, end - start));
    buffer.ReplaceSel(result);
    buffer.SetSel(start, start + static_cast<int>(result.size()));
    buffer.ScrollCaret();
    buffer.SetModified(true);
}

void TagConvertCommands::OnStripAll()
{
    EditBuffer& buffer = m_app.View().Buffer();
    const QString text = buffer.GetText();
    const QString result = StripTags(text);
    if (result == text)
        return;
    buffer.SetText(result, true);
    buffer.SetModified(true);
}

void TagConvertCommands::OnCapture()
{
    const CapturedTags tags = CaptureTags(TagView(m_app.View()).GetSelectionText());
    m_app.View().SetLastTags(tags.start, tags.end);
}

void TagConvertCommands::OnReinsert()
{
    CKelvoView& view = m_app.View();
    // Straight into the buffer: the remembered tags are repeated as they
    // were captured or inserted, whatever the tag-case setting says now.
    view.Buffer().ReplaceSel(view.LastStartTag() + TagView(view).GetSelectionText()
                             + view.LastEndTag());
    view.Buffer().SetModified(true);
}

void TagConvertCommands::OnAllTagsCase(bool lower)
{
    const QString question =
        lower ? QStringLiteral("全タグを小文字にします") : QStringLiteral("全タグを大文字にします");
    if (m_app.GetUi().Ask(question, Ui::Buttons::OkCancel, Ui::Icon::Question) != Ui::Answer::Ok)
        return;
    EditBuffer& buffer = m_app.View().Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    QString text = buffer.GetText();
    ConvertTagCase(text, lower);
    buffer.SetText(text, true);
    // Only letters changed, so every offset still means the same place.
    buffer.SetSel(start, end);
    buffer.SetModified(true);
    m_app.SetTagLower(lower);
    m_app.WriteProfileInt(settings::System, QStringLiteral("TagLower"), lower ? 1 : 0);
}

void TagConvertCommands::ConvertSelection(QString (*convert)(const QString&))
{
    EditBuffer& buffer = m_app.View().Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    if (end <= start)
        return;
    // Line ends inside a tag, a script or server code are part of them: a
    // "<BR>" there would cut an attribute or break the program. The tag
    // case applies to the text converted, never to what was left alone.
    const bool lower = m_app.TagLower();
    const QString result =
        ConvertOutsideMarkup(buffer.GetText(), start, end, [&](const QString& run) {
            QString out = convert(run);
            if (lower)
                ConvertTagCase(out, true);
            return out;
        });
    m_app.View().InsertTagText(result, false, false);
}

void TagConvertCommands::OnEscapeBrackets()
{
    const QString text = TagView(m_app.View()).GetSelectionText();
    if (text.isEmpty())
        return;
    EditBuffer& buffer = m_app.View().Buffer();
    buffer.ReplaceSel(EscapeAngleBrackets(text));
    buffer.SetModified(true);
}

void RegisterTagConvertCommands(CKelvoApp& app)
{
    auto group = std::make_shared<TagConvertCommands>(app);
    CommandTable& table = app.Commands();
    table.Register(cmd::TagRemoveOutermost, [group] { group->OnRemoveOutermost(); });
    table.Register(cmd::TagStripSelection, [group] { group->OnStripSelection(); });
    table.Register(cmd::TagStripAll, [group] { group->OnStripAll(); });
    table.Register(cmd::TagCapture, [group] { group->OnCapture(); });
    table.Register(cmd::TagReinsert, [group] { group->OnReinsert(); });
    table.Register(cmd::TagsToLowerCase, [group] { group->OnAllTagsCase(true); });
    table.Register(cmd::TagsToUpperCase, [group] { group->OnAllTagsCase(false); });
    table.Register(cmd::BreaksToParagraphs,
                   [group] { group->ConvertSelection(BreaksToParagraphs); });
    table.Register(cmd::BreaksToLineBreaks,
                   [group] { group->ConvertSelection(BreaksToLineBreaks); });
    table.Register(cmd::BreaksToParagraphsAndLineBreaks,
                   [group] { group->ConvertSelection(BreaksToParagraphsAndLineBreaks); });
    table.Register(cmd::BracketsToEntities, [group] { group->OnEscapeBrackets(); });
}
