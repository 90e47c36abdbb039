#pragma once

#include <QString>

#include <optional>
#include <utility>

class CKelvoApp;
class CKelvoView;

// The style commands of the view (STYLE area, rules, the style list, the
// external style sheet link, the bare STYLE attribute).
void RegisterStyleCommands(CKelvoApp& app);

// The style dialog on the declarations of a STYLE attribute. On OK the text
// becomes the edited declarations in inline form and true is given.
bool EditInlineStyle(CKelvoApp& app, QString& declarationText, const QString& documentPath);

// When the caret is inside a rule of the document's style sheet (a .css
// document, or between the STYLE tags), selects the rule and edits it in
// the style dialog, and gives true; false, with nothing changed, when the
// caret is in no rule.
bool EditRuleAtCaret(CKelvoView& view);

// "タグの修正": the CLASS and STYLE of an element that has no dialog of its
// own. The selected start tag is edited when it has that name; otherwise a
// new element is wrapped around the selection.
bool EditElementClassAndStyle(CKelvoView& view, const QString& name);

// The rule around a position of a style sheet text, as (start, end); the
// scan stops at tags and comments.
std::optional<std::pair<int, int>> FindStyleRuleAt(const QString& text, int position);
