#include "core/app/CommandTable.h"

void CommandTable::Register(int id, Handler handler, Predicate enabled)
{
    m_entries[id] = Entry{std::move(handler), std::move(enabled)};
}

void CommandTable::Unregister(int id)
{
    m_entries.erase(id);
}

void CommandTable::SetToggle(int id, Predicate isOn)
{
    m_toggles[id] = std::move(isOn);
}

std::optional<bool> CommandTable::IsOn(int id) const
{
    const auto it = m_toggles.find(id);
    if (it == m_toggles.end() || !it->second)
        return std::nullopt;
    return it->second();
}

bool CommandTable::Has(int id) const
{
    return m_entries.count(id) != 0;
}

bool CommandTable::IsEnabled(int id) const
{
    auto it = m_entries.find(id);
    if (it == m_entries.end())
        return false;
    return !it->second.enabled || it->second.enabled();
}

bool CommandTable::Run(int id) const
{
    if (!IsEnabled(id))
        return false;
    // Copy: a handler may re-register commands (menus rebuilt from lists).
    const Handler handler = m_entries.at(id).handler;
    handler();
    return true;
}

std::vector<int> CommandTable::Ids() const
{
    std::vector<int> ids;
    ids.reserve(m_entries.size());
    for (const auto& [id, entry] : m_entries)
        ids.push_back(id);
    return ids;
}
