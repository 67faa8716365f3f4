#include "unifac/componentlist.h"

#include "unifac/windows1252.h"

#include <utility>

namespace calvex::unifac {

std::string storedName(std::string_view name) { return fitToWidth(name, componentNameWidth); }

bool isStorableText(std::string_view text) { return toWindows1252(text).has_value(); }

bool isStorableName(std::string_view name) { return isStorableText(storedName(name)); }

ListChange UnifacComponentList::AddComponent(std::string_view name, std::string_view groups)
{
    if (m_components.size() >= static_cast<std::size_t>(maxComponentCount))
        return ListChange::ListFull;
    if (characterCount(groups) > groupListWidth)
        return ListChange::GroupsTooLong;
    if (!isStorableName(name) || !isStorableText(groups))
        return ListChange::NotStorable;
    m_components.push_back({storedName(name), fitToWidth(groups, groupListWidth)});
    m_origins.push_back(0);
    return ListChange::Done;
}

ListChange UnifacComponentList::SetComponentGroups(int position, std::string_view groups)
{
    if (characterCount(groups) > groupListWidth)
        return ListChange::GroupsTooLong;
    if (!isStorableText(groups))
        return ListChange::NotStorable;
    if (exists(position))
        m_components[position - 1].GroupList = fitToWidth(groups, groupListWidth);
    return ListChange::Done;
}

ListChange UnifacComponentList::SetComponentName(int position, std::string_view name)
{
    if (!isStorableName(name))
        return ListChange::NotStorable;
    if (exists(position))
        m_components[position - 1].name = storedName(name);
    return ListChange::Done;
}

void UnifacComponentList::DeleteComponent(int position)
{
    if (!exists(position))
        return;
    m_components.erase(m_components.begin() + (position - 1));
    m_origins.erase(m_origins.begin() + (position - 1));
}

void UnifacComponentList::ClearComponents()
{
    m_components.clear();
    m_origins.clear();
}

void UnifacComponentList::SwapComponents(int i, int j)
{
    if (!exists(i) || !exists(j))
        return;
    std::swap(m_components[i - 1], m_components[j - 1]);
    std::swap(m_origins[i - 1], m_origins[j - 1]);
}

std::string UnifacComponentList::ComponentNameAt(int position) const
{
    return exists(position) ? m_components[position - 1].name : std::string();
}

std::string UnifacComponentList::ComponentGroups(int position) const
{
    return exists(position) ? m_components[position - 1].GroupList : std::string();
}

short UnifacComponentList::ComponentCount() const { return static_cast<short>(m_components.size()); }

void UnifacComponentList::replaceAll(std::vector<UnifacComponent> components)
{
    m_components = std::move(components);
    m_origins.assign(m_components.size(), 0);
}

void UnifacComponentList::markStored()
{
    m_stored = m_components;
    for (std::size_t i = 0; i < m_origins.size(); ++i)
        m_origins[i] = static_cast<int>(i) + 1;
}

int UnifacComponentList::storedOrigin(int position) const { return exists(position) ? m_origins[position - 1] : 0; }

bool UnifacComponentList::exists(int position) const
{
    return position >= 1 && static_cast<std::size_t>(position) <= m_components.size();
}

UnifacComponentList& componentList()
{
    static UnifacComponentList list;
    return list;
}

const std::vector<DefaultComponent>& defaultComponents()
{
    // Ethylbenzene is CH3 + 5 ACH + ACCH2 (subgroup 13).
    static const std::vector<DefaultComponent> defaults = {
        {"benzene", "10,6;"},      {"chlorobenzene", "10,5;54,1;"}, {"ethylbenzene", "1,1;10,5;13,1;"},
        {"n-octane", "1,2;2,6;"}, {"toluene", "10,5;12,1;"},       {"water", "17,1;"},
    };
    return defaults;
}

} // namespace calvex::unifac
