#pragma once

#include "core/doc/CodeKinds.h"

#include <QString>

// The text to save in a code that cannot hold every character. In a style
// sheet (the whole of a .css document, the contents of a page's STYLE
// elements) such a character becomes a CSS escape ("\20BB7 "): CSS never
// decodes the numeric reference that the encoder writes everywhere else.
// The text itself when nothing changes.
QString WithCssEscapes(const QString& text, CodeKind code, bool cssDocument);
