#include "gui/KeyMapping.h"

#include "core/custom/VirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace {

int KeypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return vk::Numpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return vk::Multiply;
    case Qt::Key_Plus:
        return vk::Add;
    case Qt::Key_Minus:
        return vk::Subtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return vk::Decimal;
    case Qt::Key_Slash:
        return vk::Divide;
    default:
        return 0;
    }
}

// X key codes (evdev codes + 8) of the digit row, "1" to "9" then "0"; X
// and Wayland under Linux both report these.
constexpr quint32 kXKeycodeDigit1 = 10;
constexpr quint32 kXKeycodeDigit0 = 19;

bool ReportsXKeycodes()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

int VirtualKeyOf(const QKeyEvent& event)
{
    const quint32 scan = event.nativeScanCode();
    if (!(event.modifiers() & Qt::KeypadModifier) && scan >= kXKeycodeDigit1
        && scan <= kXKeycodeDigit0 && ReportsXKeycodes())
        return scan == kXKeycodeDigit0 ? vk::Key0 : vk::Key0 + 1 + int(scan - kXKeycodeDigit1);
    return VirtualKeyFromQt(event.key(), event.modifiers());
}

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (const int code = KeypadKey(qtKey))
            return code;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return vk::KeyA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return vk::Key0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vk::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::Tab;
    case Qt::Key_Clear:
        return vk::Clear;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::Return;
    case Qt::Key_Shift:
        return vk::Shift;
    case Qt::Key_Control:
        return vk::Control;
    case Qt::Key_Alt:
        return vk::Menu;
    case Qt::Key_Pause:
        return vk::Pause;
    case Qt::Key_CapsLock:
        return vk::Capital;
    case Qt::Key_Escape:
        return vk::Escape;
    case Qt::Key_Space:
        return vk::Space;
    case Qt::Key_PageUp:
        return vk::Prior;
    case Qt::Key_PageDown:
        return vk::Next;
    case Qt::Key_End:
        return vk::End;
    case Qt::Key_Home:
        return vk::Home;
    case Qt::Key_Left:
        return vk::Left;
    case Qt::Key_Up:
        return vk::Up;
    case Qt::Key_Right:
        return vk::Right;
    case Qt::Key_Down:
        return vk::Down;
    case Qt::Key_Print:
        return vk::Snapshot;
    case Qt::Key_Insert:
        return vk::Insert;
    case Qt::Key_Delete:
        return vk::Delete;
    case Qt::Key_Menu:
        return vk::Apps;
    case Qt::Key_NumLock:
        return vk::NumLock;
    case Qt::Key_ScrollLock:
        return vk::Scroll;
    // Punctuation: the key of the Japanese layout that carries the
    // character, shifted or not.
    case Qt::Key_Colon:
    case Qt::Key_Asterisk:
        return vk::Oem1;
    case Qt::Key_Semicolon:
    case Qt::Key_Plus:
        return vk::OemPlus;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return vk::OemComma;
    case Qt::Key_Minus:
    case Qt::Key_Equal:
        return vk::OemMinus;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return vk::OemPeriod;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return vk::Oem2;
    case Qt::Key_At:
    case Qt::Key_QuoteLeft:
        return vk::Oem3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return vk::Oem4;
    case Qt::Key_yen:
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return vk::Oem5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return vk::Oem6;
    case Qt::Key_AsciiCircum:
    case Qt::Key_AsciiTilde:
        return vk::Oem7;
    case Qt::Key_Underscore:
        return vk::Oem102;
    default:
        return 0;
    }
}

std::vector<KeyStroke> KeyStrokesOf(const QKeyEvent& event)
{
    std::vector<KeyStroke> strokes;
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    if (const int code = VirtualKeyOf(event))
        strokes.push_back({code, shift});
    if (event.modifiers() & Qt::KeypadModifier)
        return strokes;
    int named = 0;
    switch (event.key()) {
    case Qt::Key_At:
        named = vk::At;
        break;
    case Qt::Key_Asterisk:
        named = vk::Multiply;
        break;
    case Qt::Key_Plus:
        named = vk::Add;
        break;
    case Qt::Key_Minus:
        named = vk::Subtract;
        break;
    case Qt::Key_Slash:
        named = vk::Divide;
        break;
    default:
        return strokes;
    }
    strokes.push_back({named, false});
    return strokes;
}
