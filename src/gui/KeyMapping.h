#pragma once

#include <Qt>

#include <vector>

class QKeyEvent;

// The key code (core/custom/VirtualKeys.h) of a Qt key, as the key
// assignments name keys; 0 for a key that has none. Keys of the numeric
// keypad (KeypadModifier) have codes of their own. Punctuation keys are
// named by the Japanese layout's key that carries the character.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

// The key code of a pressed key. Keys of the digit row are told by the
// physical key where the platform gives X key codes: with Shift the event
// carries the shifted symbol ("#" for Shift+3, "!" for Shift+1), and which
// symbol that is depends on the layout, not on the key.
int VirtualKeyOf(const QKeyEvent& event);

// What a pressed key may be in the key table, in the order to look it up:
// the key's own code, then, for the characters the table names by a code
// of their own ("@" 64; "*" 106, "+" 107, "-" 109 and "/" 111, the keypad's
// codes, also from the main keys), that code. The character's own Shift
// (Shift+2 makes "@" on a US keyboard) is part of it there.
struct KeyStroke {
    int code = 0;
    bool shift = false;
};
std::vector<KeyStroke> KeyStrokesOf(const QKeyEvent& event);
