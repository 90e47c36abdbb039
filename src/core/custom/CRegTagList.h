#pragma once

#include "core/custom/RegisteredLists.h"

#include <vector>

class CKelvoApp;

// The registered tags as the list dialog edits them: up to kMaxEntries
// (name, front, back), kept in the settings section "TagMenu".
class CRegTagList {
public:
    static constexpr int kMaxEntries = 30;

    void Load(const CKelvoApp& app);
    // The count first, then every entry.
    void Save(CKelvoApp& app) const;

    std::vector<RegisteredTag> entries;
};
