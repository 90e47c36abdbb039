#pragma once

#include <QString>

#include <vector>

// The menus, toolbar and accelerators as data. The GUI builds its menu bar
// from this; the core uses it for command captions (key customization).

enum class MenuLayout {
    Landscape,  // five top-level menus
    Portrait,   // "ﾌｧｲﾙ" and "メニュー" with four submenus
};

// Portrait when the screen is narrower than it is tall.
MenuLayout LayoutForScreen(int width, int height);

// Menu items the program builds at run time (recent files, registered tags
// and tools) are MenuItems of Kind::Command too; the GUI puts them in place
// of the placeholder with the first identifier of their range.
struct MenuItem {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    QString caption;  // exactly as shown, "&" marks the mnemonic
    int id = 0;       // Command only
    QString shortcut; // accelerator shown beside the caption, e.g. "Ctrl+N"
    std::vector<MenuItem> children;  // Submenu only

    static MenuItem Command(const QString& caption, int id, const QString& shortcut = QString());
};

// The text with its own "&" doubled, so that a file or tool name shows them
// instead of taking them for mnemonics.
QString EscapeMnemonic(QString text);

std::vector<MenuItem> MainMenu(MenuLayout layout);

struct Accelerator {
    QString keys;  // in QKeySequence portable text form, e.g. "Ctrl+N", "Shift+F6"
    int id;
};
std::vector<Accelerator> Accelerators();

struct ToolbarButton {
    bool separator = false;
    int id = 0;
    int image = -1;     // index in the seven-image strip
    QString iconName;   // freedesktop theme icon name
};
std::vector<ToolbarButton> ToolbarButtons();

// The prompt string of a command: "long description\nshort name". Empty
// when the command has none.
QString CommandPrompt(int id);
// The short name (toolbar tooltip); empty when none.
QString CommandShortName(int id);
// The long description (status bar); empty when none.
QString CommandDescription(int id);

// Every command identifier of the layout's menu tree, in menu order
// (placeholders included).
std::vector<int> MenuCommandIds(MenuLayout layout);
