#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

class CKelvoView;

// Whether the document is a style sheet: its name ends in ".css" (any case).
bool IsCssPath(const QString& documentPath);

// The contents of a STYLE element as the HTML reader finds it (never a
// "<style>" inside a comment, a script string or a TITLE): from after its
// start tag up to its end tag, or to the end of the text while the page
// has none yet.
struct StyleContents {
    int start = 0;
    int end = 0;
};
// Every STYLE element's, in order.
std::vector<StyleContents> AllStyleContents(QStringView text);
// The first STYLE element's.
std::optional<StyleContents> FirstStyleContents(QStringView text);
// Those of the STYLE element holding the position (its end, just before
// "</STYLE>", included).
std::optional<StyleContents> StyleContentsAt(QStringView text, int position);

// True when the selection start lies in a style sheet: the document's file
// name ends in ".css" (any case), or the position lies in the contents of
// a STYLE element.
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
