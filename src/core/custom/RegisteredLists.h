#pragma once

#include <QString>

#include <vector>

class CKelvoApp;

// The registered tools (section "Tool": "Count", "Name%02d", "File%02d")
// and registered tags (section "TagMenu": "TagNo", "Name%02d", "Tag1%02d",
// "Tag2%02d") as the settings hold them. The menus and the editors of these
// lists read them through here.
struct RegisteredTool {
    QString name;
    QString file;
};

struct RegisteredTag {
    QString name;
    QString startText;
    QString endText;
    // What a menu or the list shows: the name, or the start and end text
    // when it has none, on one line (a TAB would start the caption's key
    // name).
    QString Caption() const;
};

// The key of entry i of a numbered settings list: the prefix and two digits
// from 00 ("Name00", "Tag105").
QString ListKey(const QString& prefix, int i);

// At most limit entries are read: the count comes from a file the user can
// edit, and a wild one must not make the program read forever.
std::vector<RegisteredTool> LoadRegisteredTools(const CKelvoApp& app, int limit);
std::vector<RegisteredTag> LoadRegisteredTags(const CKelvoApp& app, int limit);
