#pragma once

#include <QString>

namespace platform {

// Where the program's files live on a Linux desktop.
//
// Files the program ships (the initial template, tag tables, help) are
// looked up in the user's data folder first, then beside the executable (the
// build tree), then in the share folder of the prefix the executable is
// installed in (so an installed tree can be moved, or installed under a
// temporary prefix), then in the share folder the build was configured for. Files the program writes for itself go
// to the user's data folder.
class Folders {
public:
    // The user's documents folder; stands for the device's "My Documents".
    static QString Documents();
    // The folder of the running program, ending in "/".
    static QString Program();
    // The per-user data folder ($KELVO_DATA_DIR, else the XDG data location),
    // ending in "/". Created on demand by WritableDataFile().
    static QString UserData();
    // The installed share folder, ending in "/".
    static QString Share();
    // The share folder relative to the running executable, ending in "/".
    static QString ShareBesideProgram();
    // The first existing file of that name along the lookup order above;
    // the path in the user's data folder when none exists.
    static QString FindProgramFile(const QString& name);
    // A path in the user's data folder for a file the program writes; the
    // folder is created if needed.
    static QString WritableDataFile(const QString& name);
};

} // namespace platform
