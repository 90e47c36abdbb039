#pragma once

#include <QString>
#include <QStringList>

// What the link commands read from the text of a page. Start tags are read
// with the tag model (CTagObj), so any quoting, letter case and spacing
// (blanks, tabs, line breaks) between the attributes counts; comments
// ("<!-- -->") are passed over, as a browser does.

// Appends to the list every non-empty value of the attribute over all start
// tags of that name, in the order of first appearance and without
// duplicates (exact comparison); names ignore letter case.
void CollectAttrValues(const QString& text, const QString& tagName, const QString& attrName,
                       QStringList& list);

// Every link of the page a reader follows or a browser loads: HREF of A and
// LINK; SRC of IMG, SCRIPT, FRAME, IFRAME, EMBED and INPUT; BACKGROUND of
// BODY, TABLE, TD and TH. In order of first appearance, without duplicates.
QStringList PageLinks(const QString& text);

// The links of the page whose file is not there: every local link (see
// LinkTargetPath) whose file or folder does not exist or cannot be read,
// and every link that climbs above the root. Scheme links are not looked at.
// In order of first appearance, without duplicates.
QStringList MissingLinkTargets(const QString& text, const QString& documentPath);

// A list of links to the named anchors of the page: one line
// <A HREF="#name">text</A><BR> and CR LF for every <A NAME="name">text</A>
// (letter case of the tags ignored). An anchor without its "</A>" ends the
// list; empty when the page has no such anchors.
QString MakeAnchorLinkList(const QString& text);
