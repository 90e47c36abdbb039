#pragma once

#include <cstdint>

// One key assignment as a key file stores it: the key code (VirtualKeys.h),
// the modifier states (1 or 0) and the command the combination runs.
struct CKeycust {
    std::uint16_t key = 0;
    std::uint16_t alt = 0;
    std::uint16_t ctrl = 0;
    std::uint16_t shift = 0;
    std::uint16_t command = 0;

    bool Matches(int code, bool withAlt, bool withShift, bool withCtrl) const
    {
        return key == code && (alt != 0) == withAlt && (shift != 0) == withShift
               && (ctrl != 0) == withCtrl;
    }
    friend bool operator==(const CKeycust&, const CKeycust&) = default;
};
