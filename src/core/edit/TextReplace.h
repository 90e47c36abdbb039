#pragma once

#include <QString>

// Replaces every occurrence of find in the text and goes on after each
// replacement, so a replacement is never searched again; overlapping hits
// count from the left. Gives the number of replacements; the text is left
// as it was when there are none or find is empty.
//
// Every hit is as long as find (the case-blind comparison maps character by
// character), which lets callers work out offsets from the count alone.
int ReplaceAllText(QString& text, const QString& find, const QString& replacement,
                   Qt::CaseSensitivity cs);
