#pragma once

#include <QString>
#include <QStringView>

class CKelvoView;

// True when the selection start lies in a style sheet: the document's file
// name ends in ".css" (any case), or the position lies inside the text of
// a STYLE element (between the "<STYLE ...>" tag and "</STYLE>", tag names
// in any case).
bool InStyleSheet(CKelvoView& view, const QString& documentPath);

// Selects the style rule around the selection start ("H1 { color: red }",
// from its first selector to its "}") and gives true; false, with nothing
// changed, when the position is in no rule the style dialog can edit
// (inside a comment, between rules, in an @media prelude) or not in a
// style sheet at all.
bool SelectStyleRuleAtCaret(CKelvoView& view, const QString& documentPath);

// The rule around a position of the text as [start, end); false when there
// is none. The sheet is the STYLE element's text around the position when
// there is one ("<STYLE ...>" before it, "</STYLE" after it), else the
// whole text. Rules inside @media and the like, and rules nested in rules,
// are found as the innermost rule holding the position.
bool FindStyleRule(const QString& text, int position, int& start, int& end);
// The same in text that is all style sheet (a .css document).
bool FindStyleRuleInSheet(QStringView sheet, int position, int& start, int& end);
