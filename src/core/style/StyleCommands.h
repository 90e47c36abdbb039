#pragma once

#include <QString>


class CKelvoApp;
class CKelvoView;

// The style commands of the view (STYLE area, rules, the style list, the
// external style sheet link, DIV, P and SPAN with their class and style,
// the bare STYLE attribute), and the style
// editor hooks of the tag dialogs and the double-click.
void RegisterStyleCommands(CKelvoApp& app);

// The style dialog on the declarations of a STYLE attribute. On OK the text
// becomes the edited declarations in inline form and true is given.
bool EditInlineStyle(CKelvoApp& app, QString& declarationText, const QString& documentPath);

// When the caret is inside a rule of the document's style sheet, selects
// the rule and edits it in the style dialog, and gives true (also when the
// dialog is cancelled); false, with nothing changed, when the caret is in no
// rule.
bool EditRuleAtCaret(CKelvoView& view);
