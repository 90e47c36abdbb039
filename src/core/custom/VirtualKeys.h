#pragma once

// Key codes as key-assignment files store them: the numbering of the
// handheld's keyboard driver, which the key files keep so that a file
// written there reads the same here. The desktop maps its own keys onto
// these before asking the view.
namespace vk {

inline constexpr int Back = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Clear = 0x0C;
inline constexpr int Return = 0x0D;
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Menu = 0x12;  // Alt
inline constexpr int Pause = 0x13;
inline constexpr int Capital = 0x14;
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int Prior = 0x21;  // Page Up
inline constexpr int Next = 0x22;   // Page Down
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Snapshot = 0x2C;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;

// '0'..'9' and 'A'..'Z' are their ASCII codes.
inline constexpr int Key0 = 0x30;
// The key table's "@", which no keyboard sends: the desktop gives it to
// the key that makes the character.
inline constexpr int At = 0x40;
inline constexpr int Key9 = 0x39;
inline constexpr int KeyA = 0x41;
inline constexpr int KeyZ = 0x5A;

inline constexpr int Apps = 0x5D;  // context-menu key

inline constexpr int Numpad0 = 0x60;
inline constexpr int Numpad9 = 0x69;
inline constexpr int Multiply = 0x6A;
inline constexpr int Add = 0x6B;
inline constexpr int Separator = 0x6C;
inline constexpr int Subtract = 0x6D;
inline constexpr int Decimal = 0x6E;
inline constexpr int Divide = 0x6F;

inline constexpr int F1 = 0x70;
inline constexpr int F2 = 0x71;
inline constexpr int F3 = 0x72;
inline constexpr int F4 = 0x73;
inline constexpr int F5 = 0x74;
inline constexpr int F6 = 0x75;
inline constexpr int F7 = 0x76;
inline constexpr int F8 = 0x77;
inline constexpr int F9 = 0x78;
inline constexpr int F10 = 0x79;
inline constexpr int F11 = 0x7A;
inline constexpr int F12 = 0x7B;
inline constexpr int F24 = 0x87;

inline constexpr int NumLock = 0x90;
inline constexpr int Scroll = 0x91;

// Punctuation keys of the Japanese keyboard layout.
inline constexpr int Oem1 = 0xBA;       // ':' '*'
inline constexpr int OemPlus = 0xBB;    // ';' '+'
inline constexpr int OemComma = 0xBC;   // ',' '<'
inline constexpr int OemMinus = 0xBD;   // '-' '='
inline constexpr int OemPeriod = 0xBE;  // '.' '>'
inline constexpr int Oem2 = 0xBF;       // '/' '?'
inline constexpr int Oem3 = 0xC0;       // '@' '`'
inline constexpr int Oem4 = 0xDB;       // '[' '{'
inline constexpr int Oem5 = 0xDC;       // '\' '|'
inline constexpr int Oem6 = 0xDD;       // ']' '}'
inline constexpr int Oem7 = 0xDE;       // '^' '~'
inline constexpr int Oem102 = 0xE2;     // '\' '_'

// The first key code that is looked up even without a modifier: the
// function keys and everything above them.
inline constexpr int FirstUnmodifiedLookup = F1;

// The key code of a letter or digit; 0 for any other character.
constexpr int FromLetterOrDigit(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return KeyA + (c - u'a');
    if (c >= u'A' && c <= u'Z')
        return KeyA + (c - u'A');
    if (c >= u'0' && c <= u'9')
        return Key0 + (c - u'0');
    return 0;
}

} // namespace vk
