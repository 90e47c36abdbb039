#pragma once

#include <QString>

#include <vector>

// The commands a key can be given, in the order the key dialog lists them.
// Key files store the identifiers, so both the identifiers and the order
// are fixed.
struct KeyCommand {
    QString label;
    int id;
};
const std::vector<KeyCommand>& KeyCommandList();
