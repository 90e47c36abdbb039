#pragma once

#include <QString>

// Converts the letters of the names of HTML elements and of their
// attributes to lower or upper case, in place. Attribute values, text,
// comments, declarations, server code ("<? ?>", "<% %>") and the contents
// of SCRIPT, STYLE and the other raw-text elements are left as they are,
// and so is a "tag" whose name is no HTML element: "if X<Y AND Z>W" in a
// page is the writer's text, whatever a browser makes of it.
void ConvertTagCase(QString& text, bool lower);
