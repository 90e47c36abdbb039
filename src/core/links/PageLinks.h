#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

struct HtmlToken;

// What the link commands read from the text of a page. Start tags are read
// with HtmlScanner, as browsers read them: any quoting, letter case and
// blanks between the attributes count, character references in values are
// decoded, and comments, scripts, style sheets and server code hold no
// links.

// Appends to the list every non-empty value of the attribute over all start
// tags of that name, in the order of first appearance and without
// duplicates (exact comparison); names ignore letter case.
void CollectAttrValues(const QString& text, const QString& tagName, const QString& attrName,
                       QStringList& list);

// Every link of the page a reader follows or a browser loads: HREF of A,
// AREA and LINK; SRC of IMG, SCRIPT, FRAME, IFRAME, EMBED, INPUT, SOURCE,
// AUDIO, VIDEO and TRACK; every candidate of SRCSET (IMG, SOURCE); POSTER
// of VIDEO; BACKGROUND of BODY, TABLE, TD and TH. In order of first
// appearance, without duplicates.
QStringList PageLinks(const QString& text);

// A link of PageLinks at one place it is written: where its value (or,
// for a SRCSET candidate, the SRCSET value) starts in the text.
struct PlacedLink {
    QString link;
    qsizetype offset = 0;
};
// Every link PageLinks gives, at every place it is written, in text order.
std::vector<PlacedLink> PlacedPageLinks(const QString& text);

// The decoded value of the tag's first attribute of that name (as in
// browsers, a repeated attribute counts once); an empty text for an
// attribute without "=", nullopt when the tag has none.
std::optional<QString> TagAttrValue(QStringView text, const HtmlToken& tag, QStringView name);

// The HREF of the page's first <BASE HREF>, which every relative link of
// the page starts from; empty when there is none.
QString PageBase(const QString& text);

// What the link check finds on one page.
struct PageLinkCheck {
    // Every local link whose file or folder does not exist or cannot be
    // read, and every link that climbs above the root; in order of first
    // appearance, without duplicates.
    QStringList missing;
    // Root-relative links ("/css/a.css") not checked: no site root known.
    int skipped = 0;
};

// Checks the links of the page at documentPath (see ResolveLink). Scheme
// links and network paths ("//host/a.gif") are not looked at.
PageLinkCheck CheckPageLinks(const QString& text, const QString& documentPath,
                             const QString& siteRoot = QString());

// A list of links to the named anchors of the page: one line
// <A HREF="#name">text</A><BR> and CR LF for every <A NAME="name">text</A>
// (letter case of the tags ignored). Only the name goes into the new link:
// the anchor's other attributes (an ID above all) would be doubled. An
// anchor without its "</A>" ends the list; empty when the page has no
// such anchors.
QString MakeAnchorLinkList(const QString& text);
