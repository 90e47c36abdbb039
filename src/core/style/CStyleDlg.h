#pragma once

#include "core/app/FormModel.h"
#include "core/style/CStyleBoxPage.h"
#include "core/style/CStyleColorPage.h"
#include "core/style/CStyleFontPage.h"
#include "core/style/CStyleListPage.h"
#include "core/style/CStylePadPage.h"
#include "core/style/CStylePositionPage.h"
#include "core/style/CStyleRule.h"
#include "core/style/CStyleTextPage.h"

#include <QString>

#include <array>

class CKelvoApp;
class Ui;

// The style sheet dialog "スタイル": one rule (or the STYLE attribute of a
// tag) edited on seven pages. The caller copies its rule into `rule`, runs
// DoModal and takes `rule` back only when it gives true.
//
// Every page reads its group when the dialog starts, but only a page the
// user has opened and changed writes its group back, so properties of pages
// never opened, or only looked at, stay exactly as they were written. Confirming asks once whether to
// apply the changes; No ends the dialog as Cancel.
class CStyleDlg {
public:
    static constexpr int kPageCount = 7;

    explicit CStyleDlg(CKelvoApp* app = nullptr);
    CStyleDlg(const CStyleDlg&) = delete;
    CStyleDlg& operator=(const CStyleDlg&) = delete;

    CStyleRule rule;
    QString documentPath;
    bool inlineStyle = false;
    // "インライン", or the selectors text the user may edit.
    QString target;
    // -1 until the apply question is answered, then 1 (apply) or 2 (discard).
    int answer = -1;

    bool DoModal(Ui& ui);

    // The steps of DoModal, for the tests.
    // Sets the target and lets every page read its group.
    void Start();
    // The sheet as a form: one page per property page, in tab order.
    FormModel BuildForm(Ui& ui);
    // The user confirmed and chose to apply: the opened pages whose fields
    // differ from what they showed write their groups, and the selectors are
    // taken from the target.
    void Apply(const FormModel& form);

    // In tab order: font, colour, text, position, box, spacing, list.
    CStylePage& Page(int tab) { return *m_tabs[tab]; }
    void OpenPage(const QString& caption);

    static QString ApplyQuestion() { return QStringLiteral("スタイルの更新を反映しますか？"); }

private:
    CKelvoApp* m_app;
    CStyleFontPage m_font;
    CStyleColorPage m_color;
    CStyleTextPage m_text;
    CStylePositionPage m_position;
    CStyleBoxPage m_box;
    CStylePadPage m_pad;
    CStyleListPage m_list;
    std::array<CStylePage*, kPageCount> m_tabs;
    // The order in which pages read and write their groups.
    std::array<CStylePage*, kPageCount> m_groups;
};
