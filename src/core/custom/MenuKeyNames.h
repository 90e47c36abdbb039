#pragma once

#include <QString>

#include <map>

// The key names the menus show behind a TAB in their captions, by command.
// The core keeps them; the window puts them into its menu items.
class MenuKeyNames {
public:
    void Set(int command, const QString& name);
    // The caption loses its key name.
    void Cut(int command) { m_names.erase(command); }
    void Clear() { m_names.clear(); }
    // Empty when the command's caption shows no key.
    QString Name(int command) const;
    const std::map<int, QString>& All() const { return m_names; }

private:
    std::map<int, QString> m_names;
};

// The caption with the key name after a TAB: what stood after a TAB is
// replaced; an empty name cuts the caption at its TAB.
QString CaptionWithKeyName(const QString& caption, const QString& name);
