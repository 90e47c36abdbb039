#pragma once

#include "core/highlight/SyntaxColouring.h"

#include <QString>

// How the editor shows the text, apart from the font: colouring, the
// margin's line numbers, the marks it puts on the text, and the zoom. The
// view keeps it in the settings ("View" section) and hands it to its buffer.
struct EditDisplay {
    SyntaxLanguage language = SyntaxLanguage::Html;
    bool highlight = true;
    bool lineNumbers = true;
    bool currentLine = true;
    bool tagMatch = true;      // the start or end tag that belongs to the tag at the caret
    bool searchMatches = true; // every visible occurrence of the last search text
    int zoom = 0;              // points added to the font's size
    QString searchText;
    bool matchCase = false;

    static constexpr int kZoomMin = -8;
    static constexpr int kZoomMax = 40;

    bool operator==(const EditDisplay&) const = default;
};
