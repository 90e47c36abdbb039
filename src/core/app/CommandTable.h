#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

// Identifier to handler. Menus, the toolbar, accelerators, key assignments,
// the batch tool and the tests all run commands through this table.
class CommandTable {
public:
    using Handler = std::function<void()>;
    using Predicate = std::function<bool()>;

    // Registers (or replaces) the handler of a command; the predicate, when
    // given, decides whether the command is enabled at the moment.
    void Register(int id, Handler handler, Predicate enabled = {});
    void Unregister(int id);

    // A command that turns something on and off: the menu shows its item
    // checked while the predicate says it is on.
    void SetToggle(int id, Predicate isOn);
    // Whether a toggle is on; nullopt for a command that is no toggle.
    std::optional<bool> IsOn(int id) const;

    bool Has(int id) const;
    // Registered and, when it has a predicate, enabled now.
    bool IsEnabled(int id) const;
    // Runs the command when it is enabled; false when it is not.
    bool Run(int id) const;
    std::vector<int> Ids() const;

private:
    struct Entry {
        Handler handler;
        Predicate enabled;
    };
    std::map<int, Entry> m_entries;
    std::map<int, Predicate> m_toggles;
};
