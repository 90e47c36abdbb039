#include "platform/FolderListing.h"

#include "platform/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

std::vector<FolderEntry> ListFolder(const QString& path, bool* readable)
{
    std::vector<FolderEntry> entries;
    DIR* dir = ::opendir(EncodePath(path).constData());
    if (readable)
        *readable = dir != nullptr;
    if (!dir)
        return entries;
    const int fd = ::dirfd(dir);
    while (const dirent* e = ::readdir(dir)) {
        const QByteArrayView name(e->d_name);
        if (name == "." || name == "..")
            continue;
        FolderEntry entry;
        // The entry's type as the folder gives it spares a stat of each
        // file, which a folder of many thousands would feel.
        if (e->d_type == DT_REG || e->d_type == DT_DIR) {
            entry.name = DecodePath(name);
            entry.kind = e->d_type == DT_DIR ? FolderEntry::Kind::Folder : FolderEntry::Kind::File;
            entries.push_back(std::move(entry));
            continue;
        }
        struct stat st {};
        if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        entry.name = DecodePath(name);
        if (S_ISLNK(st.st_mode)) {
            struct stat target {};
            if (::fstatat(fd, e->d_name, &target, 0) == 0) {
                if (S_ISDIR(target.st_mode))
                    entry.kind = FolderEntry::Kind::FolderLink;
                else if (S_ISREG(target.st_mode))
                    entry.kind = FolderEntry::Kind::File;
            }
        } else if (S_ISDIR(st.st_mode)) {
            entry.kind = FolderEntry::Kind::Folder;
        } else if (S_ISREG(st.st_mode)) {
            entry.kind = FolderEntry::Kind::File;
        }
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    return entries;
}

bool IsFolder(const QString& path)
{
    struct stat st {};
    return ::stat(EncodePath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace platform
