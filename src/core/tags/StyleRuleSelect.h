#pragma once

#include <QString>

class CKelvoView;

// True when the selection start lies in a style sheet: the document's file
// name ends in ".css" (any case), or the position lies inside the text of
// the first STYLE element (between the "<STYLE ...>" tag and "</STYLE>",
// tag names in any case).
bool InStyleSheet(CKelvoView& view, const QString& documentPath);

// Selects the style rule around the selection start ("H1 { color: red }",
// from after the previous rule or tag to just after its "}") and gives true;
// false, with nothing changed, when the position is in no rule (inside a
// comment, a tag, or text without braces) or not in a style sheet at all.
// Line ends at the start of the rule are left out of the selection.
bool SelectStyleRuleAtCaret(CKelvoView& view, const QString& documentPath);

// The rule around a position of the text as [start, end); false when there
// is none. The pure part of SelectStyleRuleAtCaret.
bool FindStyleRule(const QString& text, int position, int& start, int& end);
