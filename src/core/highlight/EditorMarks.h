#pragma once

#include <QStringView>

#include <optional>
#include <vector>

// What the editor marks on the text around the caret and on screen. Both
// work on a part of the text (the caller passes what is near the caret or
// visible), so their cost stays bounded in a page of any size.

// A tag and the tag that belongs to it, as [start, end) ranges.
struct TagPairRanges {
    qsizetype tagStart = 0;
    qsizetype tagEnd = 0;
    qsizetype partnerStart = 0;
    qsizetype partnerEnd = 0;
};

// The start or end tag holding the offset (from its "<" up to its ">") and
// its end or start tag, read as the tag reader reads the text (nesting of
// the same element counted, letter case ignored, comments and scripts
// passed over). nullopt when the offset is in no tag, the tag has no
// partner in the text, or it is a start tag that needs none (an empty
// element such as BR or IMG, or one written "<x/>").
std::optional<TagPairRanges> MatchingTagAt(QStringView text, qsizetype offset);

// The start of every occurrence of `what` in the text, as the find command
// looks for it, overlapping ones not counted twice; at most `limit`.
std::vector<qsizetype> FindAllMatches(QStringView text, QStringView what, bool matchCase,
                                      size_t limit);
