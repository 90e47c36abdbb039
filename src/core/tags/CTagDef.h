#pragma once

#include "core/tags/CAttrDef.h"

#include <QString>

#include <vector>

// One tag of the reference tables with the attributes it takes, in file
// order. The attribute definitions belong to the attribute table of
// CTagTables; a tag only refers to them.
struct CTagDef {
    QString name;
    std::vector<const CAttrDef*> attrs;
    // False for a name written with a leading "/" in the tag file (the
    // files mark elements without an end tag that way).
    bool plainName = true;
};
