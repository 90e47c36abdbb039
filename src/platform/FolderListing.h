#pragma once

#include <QString>

#include <vector>

namespace platform {

struct FolderEntry {
    enum class Kind {
        Folder,       // a folder itself, not a link to one
        FolderLink,   // a symbolic link to a folder
        File,         // a regular file, or a link to one
        Other,        // FIFO, device, socket, broken link
    };
    QString name;  // decoded as DecodePath does, so EncodePath gives it back
    Kind kind = Kind::Other;
};

// The entries of a folder without "." and "..", in no particular order;
// empty when it cannot be read, which `readable` (when given) tells apart
// from an empty folder. Names that are not UTF-8 survive the trip to text
// and back (see EncodePath), which QDir's listing would not.
std::vector<FolderEntry> ListFolder(const QString& path, bool* readable = nullptr);

// Whether a folder, or a link to one, is at the path.
bool IsFolder(const QString& path);

} // namespace platform
