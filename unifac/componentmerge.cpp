#include "unifac/componentmerge.h"

#include "unifac/grouplist.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <tuple>

namespace calvex::unifac {
namespace {

enum class Version { Unchanged, Here, There };

struct Item {
    UnifacComponent component;
    int herePlace;  // in this list; -1 for none
    int therePlace; // in the file now; -1 for none
    Version version;
};

// For each stored component, its place in `there`: the first one of the same name not yet
// taken, else one under a name the file did not hold before with the same groups, which is
// the stored one renamed there.
std::vector<int> placesThere(const std::vector<UnifacComponent>& stored, const std::vector<UnifacComponent>& there)
{
    std::map<std::string, std::deque<int>> byName;
    for (std::size_t j = 0; j < there.size(); ++j)
        byName[there[j].name].push_back(static_cast<int>(j));
    std::vector<int> places(stored.size(), -1);
    std::vector<bool> taken(there.size(), false);
    for (std::size_t b = 0; b < stored.size(); ++b)
        if (auto found = byName.find(stored[b].name); found != byName.end() && !found->second.empty()) {
            places[b] = found->second.front();
            taken[places[b]] = true;
            found->second.pop_front();
        }
    std::set<std::string> storedNames;
    for (const UnifacComponent& component : stored)
        storedNames.insert(component.name);
    std::map<std::string, std::deque<int>> renamedByGroups;
    for (std::size_t j = 0; j < there.size(); ++j)
        if (!taken[j] && !storedNames.count(there[j].name))
            renamedByGroups[there[j].GroupList].push_back(static_cast<int>(j));
    for (std::size_t b = 0; b < stored.size(); ++b)
        if (auto found = renamedByGroups.find(stored[b].GroupList);
            places[b] < 0 && found != renamedByGroups.end() && !found->second.empty()) {
            places[b] = found->second.front();
            found->second.pop_front();
        }
    return places;
}

bool sameVersion(const UnifacComponent* a, const UnifacComponent* b) { return a && b ? *a == *b : a == b; }

bool movedHere(const UnifacComponentList& here)
{
    int last = 0;
    for (int position = 1; position <= here.ComponentCount(); ++position)
        if (const int origin = here.storedOrigin(position); origin > 0) {
            if (origin < last)
                return true;
            last = origin;
        }
    return false;
}

class Merger {
public:
    Merger(const UnifacComponentList& here, const std::vector<UnifacComponent>& there)
        : m_here(here), m_there(there), m_takenThere(there.size(), false)
    {
    }

    ComponentMerge run()
    {
        takeStoredComponents();
        takeNewComponents();
        settleNameClashes();
        order();
        ComponentMerge merge;
        for (Item& item : m_items)
            merge.components.push_back(std::move(item.component));
        merge.keptHere = std::move(m_keptHere);
        return merge;
    }

private:
    void keptHere(const UnifacComponent& component)
    {
        std::string name = trimBlanks(component.name);
        if (std::find(m_keptHere.begin(), m_keptHere.end(), name) == m_keptHere.end())
            m_keptHere.push_back(std::move(name));
    }

    void takeStoredComponents()
    {
        const std::vector<UnifacComponent>& stored = *m_here.stored();
        const std::vector<int> therePlaces = placesThere(stored, m_there);
        std::vector<int> herePlaces(stored.size(), -1);
        for (int position = 1; position <= m_here.ComponentCount(); ++position)
            if (const int origin = m_here.storedOrigin(position); origin > 0)
                herePlaces[origin - 1] = position - 1;
        for (std::size_t b = 0; b < stored.size(); ++b) {
            const int herePlace = herePlaces[b];
            const int therePlace = therePlaces[b];
            const UnifacComponent* mine = herePlace >= 0 ? &m_here.components()[herePlace] : nullptr;
            const UnifacComponent* theirs = therePlace >= 0 ? &m_there[therePlace] : nullptr;
            const bool changedHere = !sameVersion(mine, &stored[b]);
            const bool changedThere = !sameVersion(theirs, &stored[b]);
            const UnifacComponent* kept = mine;
            Version version = Version::Here;
            if (!changedHere) {
                kept = theirs;
                version = changedThere ? Version::There : Version::Unchanged;
            } else if (!changedThere || sameVersion(mine, theirs)) {
                version = changedThere ? Version::Unchanged : Version::Here;
            } else {
                keptHere(mine ? *mine : stored[b]);
            }
            if (kept)
                m_items.push_back({*kept, herePlace, therePlace, version});
        }
        for (const int place : therePlaces)
            if (place >= 0)
                m_takenThere[place] = true;
    }

    void takeNewComponents()
    {
        for (std::size_t j = 0; j < m_there.size(); ++j)
            if (!m_takenThere[j])
                m_items.push_back({m_there[j], -1, static_cast<int>(j), Version::There});
        for (int position = 1; position <= m_here.ComponentCount(); ++position)
            if (m_here.storedOrigin(position) == 0)
                m_items.push_back({m_here.components()[position - 1], position - 1, -1, Version::Here});
    }

    // A name that this list gave and the file gave too, to different components: this list's
    // stays, the file's goes (and is named), so that no name stands twice.
    void settleNameClashes()
    {
        std::map<std::string, std::size_t> ownNames;
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].version == Version::Here)
                ownNames.emplace(m_items[i].component.name, i);
        std::vector<bool> dropped(m_items.size(), false);
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i].version != Version::There)
                continue;
            const auto own = ownNames.find(m_items[i].component.name);
            if (own == ownNames.end())
                continue;
            Item& mine = m_items[own->second];
            if (!(mine.component == m_items[i].component))
                keptHere(mine.component);
            else if (mine.therePlace < 0)
                mine.therePlace = m_items[i].therePlace;
            dropped[i] = true;
        }
        std::vector<Item> settled;
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (!dropped[i])
                settled.push_back(std::move(m_items[i]));
        m_items = std::move(settled);
    }

    void order()
    {
        const bool hereFirst = movedHere(m_here);
        const auto key = [hereFirst](const Item& item) {
            const int first = hereFirst ? item.herePlace : item.therePlace;
            const int second = hereFirst ? item.therePlace : item.herePlace;
            return first >= 0 ? std::tuple(0, first) : std::tuple(1, second);
        };
        std::stable_sort(m_items.begin(), m_items.end(),
                         [&key](const Item& a, const Item& b) { return key(a) < key(b); });
    }

    const UnifacComponentList& m_here;
    const std::vector<UnifacComponent>& m_there;
    std::vector<Item> m_items;
    std::vector<bool> m_takenThere; // places in m_there that a stored component took
    std::vector<std::string> m_keptHere;
};

} // namespace

ComponentMerge mergeComponents(const UnifacComponentList& here, const std::vector<UnifacComponent>& there)
{
    return Merger(here, there).run();
}

} // namespace calvex::unifac
