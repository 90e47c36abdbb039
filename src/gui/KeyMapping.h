#pragma once

#include <Qt>

// The key code (core/custom/VirtualKeys.h) of a Qt key, as the key
// assignments name keys; 0 for a key that has none. Keys of the numeric
// keypad (KeypadModifier) have codes of their own. Punctuation keys are
// named by the Japanese layout's key that carries the character.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
