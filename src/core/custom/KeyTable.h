#pragma once

#include <map>
#include <optional>
#include <tuple>

// The key-assignment table: which command a key runs. A key is its key code
// (see VirtualKeys.h) with the state of Alt, Shift and Ctrl; each key runs at
// most one command.
class CKeyTable {
public:
    struct Key {
        int code = 0;
        bool alt = false;
        bool shift = false;
        bool ctrl = false;

        friend bool operator<(const Key& a, const Key& b)
        {
            return std::tie(a.code, a.alt, a.shift, a.ctrl)
                   < std::tie(b.code, b.alt, b.shift, b.ctrl);
        }
        friend bool operator==(const Key& a, const Key& b) = default;
    };

    // The command assigned to the key; nullopt when there is none.
    std::optional<int> Lookup(int code, bool alt, bool shift, bool ctrl) const;
    std::optional<int> Lookup(const Key& key) const;

    // Assigns the command to the key, replacing an earlier assignment.
    void Assign(const Key& key, int command);
    void Remove(const Key& key);
    void Clear() { m_keys.clear(); }

    bool IsEmpty() const { return m_keys.empty(); }
    int Count() const { return static_cast<int>(m_keys.size()); }
    // Every assignment, ordered by key.
    const std::map<Key, int>& Assignments() const { return m_keys; }

private:
    std::map<Key, int> m_keys;
};
