#pragma once

#include <QString>

// Converts the letters of tag names, attribute names and unquoted values to
// lower or upper case, in place. Quoted values, text between tags, and
// comments and declarations ("<!") are left as they are.
void ConvertTagCase(QString& text, bool lower);
