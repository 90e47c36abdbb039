#pragma once

#include <QString>

#include <functional>

// Where the tag dialogs and the double-click dispatch reach the style sheet
// editor. The style commands fill these in once, when they register their
// commands (CKelvoApp::StyleHooks()); the tag code only ever calls them, so
// it needs no include from the style code.
//
// Every member may be empty. An empty hook means "no style editor here":
// the STYLE buttons of the tag dialogs are shown disabled, and the
// double-click dispatch skips the step that would call it.
//
// - editInlineStyle(declarationText, documentPath): opens the style sheet
//   dialog on a copy of the declarations of a STYLE attribute (the text
//   between its quotes, "color: red; margin: 0" or empty), with the
//   document's path for relative file names. On OK writes the new
//   declarations into declarationText and gives true; on cancel leaves it
//   as it was and gives false. The STYLE buttons of every tag dialog call
//   it, and so does the class-and-style dialog ("タグの修正") that the
//   double-click dispatch opens for EM, STRONG, BR, B, I, U, SUP, SUB, LI,
//   UL, OL, DL, DT and DD (that dialog belongs to the tag dialogs; it needs
//   nothing but this hook).
//
// - editRuleAtCaret(): the first step of a double-click. When the caret is
//   inside a style sheet rule, selects the rule and runs the style element
//   editor on it, and gives true (also when that editor is cancelled: the
//   double-click has been taken). Gives false, with the text and selection
//   untouched, when the caret is in no rule; the dispatch then goes on to the
//   tag at the caret. SelectStyleRuleAtCaret (core/style/StyleRuleSelect.h)
//   decides and selects the rule; a hook is typically
//       return SelectStyleRuleAtCaret(view, docPath) && RunRuleEditor();
//
// DIV, P and SPAN are dispatched to commands 33020, 33021 and 33022 when
// they are registered; they need no hook.
struct StyleEditHooks {
    std::function<bool(QString& declarationText, const QString& documentPath)> editInlineStyle;
    std::function<bool()> editRuleAtCaret;
};
