#include "core/custom/KeyTable.h"

std::optional<int> CKeyTable::Lookup(int code, bool alt, bool shift, bool ctrl) const
{
    return Lookup(Key{code, alt, shift, ctrl});
}

std::optional<int> CKeyTable::Lookup(const Key& key) const
{
    const auto it = m_keys.find(key);
    if (it == m_keys.end())
        return std::nullopt;
    return it->second;
}

void CKeyTable::Assign(const Key& key, int command)
{
    m_keys[key] = command;
}

void CKeyTable::Remove(const Key& key)
{
    m_keys.erase(key);
}
