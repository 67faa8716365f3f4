#include "unifac/componentmerge.h"

#include "unifac/grouplist.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <map>
#include <tuple>
#include <utility>

namespace calvex::unifac {
namespace {

using Record = std::pair<std::string, std::string>; // name, groups

Record recordOf(const UnifacComponent& component) { return {component.name, component.GroupList}; }

// One record's copies in the three lists.
struct Tally {
    std::vector<int> stored; // places in the stored list
    std::vector<int> there;  // places in the file now
    int here = 0;
    int kept = 0;      // of the copies here, those this list holds as it read them
    int written = 0;   // copies the merge writes
    int thereOnly = 0; // of those, copies that only the file's new contents hold
};

// This list's removals and additions are what it did, as its origins tell: a record deleted and
// added again is removed and added. Of the file's change only its count is known. Removals in
// both may be of the same copies, and so may additions in both.
int writtenCopies(int stored, int kept, int here, int there)
{
    const int removedHere = stored - kept, addedHere = here - kept;
    const int removedThere = std::max(0, stored - there), addedThere = std::max(0, there - stored);
    return stored - std::max(removedHere, removedThere) + std::max(addedHere, addedThere);
}

// A swap of two equal records moves nothing the file can tell.
bool movedHere(const UnifacComponentList& here)
{
    std::vector<std::pair<int, const UnifacComponent*>> byOrigin;
    for (int position = 1; position <= here.ComponentCount(); ++position)
        if (const int origin = here.storedOrigin(position); origin > 0)
            byOrigin.emplace_back(origin, &here.components()[position - 1]);
    std::vector<std::pair<int, const UnifacComponent*>> inOrder = byOrigin;
    std::sort(byOrigin.begin(), byOrigin.end());
    return !std::equal(byOrigin.begin(), byOrigin.end(), inOrder.begin(),
                       [](const auto& a, const auto& b) { return *a.second == *b.second; });
}

class Merger {
public:
    Merger(const UnifacComponentList& here, const std::vector<UnifacComponent>& there)
        : m_here(here), m_stored(*here.stored()), m_there(there)
    {
    }

    ComponentMerge run()
    {
        count();
        settleNameClashes();
        ComponentMerge merge;
        merge.components = movedHere(m_here) ? inHereOrder() : inThereOrder();
        merge.keptHere = std::move(m_keptHere);
        return merge;
    }

private:
    const UnifacComponent& hereAt(int place) const { return m_here.components()[place]; }
    // The stored place this list's component at `place` came from; -1 for one added here.
    int originOf(int place) const { return m_here.storedOrigin(place + 1) - 1; }
    bool heldAsStored(int place) const
    {
        const int origin = originOf(place);
        return origin >= 0 && m_stored[origin] == hereAt(place);
    }

    void count()
    {
        m_copyOf.resize(m_stored.size());
        for (std::size_t b = 0; b < m_stored.size(); ++b) {
            std::vector<int>& copies = m_tallies[recordOf(m_stored[b])].stored;
            m_copyOf[b] = static_cast<int>(copies.size());
            copies.push_back(static_cast<int>(b));
        }
        for (std::size_t j = 0; j < m_there.size(); ++j)
            m_tallies[recordOf(m_there[j])].there.push_back(static_cast<int>(j));
        m_removedHere.assign(m_stored.size(), true);
        for (int place = 0; place < m_here.ComponentCount(); ++place) {
            Tally& tally = m_tallies[recordOf(hereAt(place))];
            ++tally.here;
            if (heldAsStored(place)) {
                ++tally.kept;
                m_removedHere[originOf(place)] = false;
            }
        }
        for (auto& [record, tally] : m_tallies) {
            const int stored = static_cast<int>(tally.stored.size());
            const int there = static_cast<int>(tally.there.size());
            tally.written = writtenCopies(stored, tally.kept, tally.here, there);
            tally.thereOnly = std::max(0, there - stored - (tally.here - tally.kept));
        }
    }

    // Copies of one name beyond what either list holds come of both windows giving the name to
    // different components: the file's new versions give way to this list's.
    void settleNameClashes()
    {
        struct NameCount {
            int written = 0, here = 0, there = 0;
        };
        std::map<std::string, NameCount> names;
        for (const auto& [record, tally] : m_tallies) {
            NameCount& name = names[record.first];
            name.written += tally.written;
            name.here += tally.here;
            name.there += static_cast<int>(tally.there.size());
        }
        for (auto& [record, tally] : m_tallies) {
            const NameCount& name = names[record.first];
            if (tally.thereOnly == 0 || name.written <= std::max(name.here, name.there))
                continue;
            std::deque<int>& places = m_gaveWay[record.first];
            places.insert(places.end(), tally.there.end() - tally.thereOnly, tally.there.end());
            tally.written -= tally.thereOnly;
            tally.thereOnly = 0;
        }
        std::vector<std::pair<int, std::string>> clashes;
        for (auto& [name, places] : m_gaveWay) {
            std::sort(places.begin(), places.end());
            clashes.emplace_back(places.front(), trimBlanks(name));
        }
        std::sort(clashes.begin(), clashes.end());
        for (auto& clash : clashes)
            m_keptHere.push_back(std::move(clash.second));
    }

    // The file's copy that stands for the stored one at `storedPlace` (the k-th copy of a record
    // for the k-th); -1 when the file holds fewer copies now.
    int thereCopyOf(int storedPlace) const
    {
        const Tally& tally = m_tallies.at(recordOf(m_stored[storedPlace]));
        const int k = m_copyOf[storedPlace];
        return k < static_cast<int>(tally.there.size()) ? tally.there[k] : -1;
    }

    std::vector<UnifacComponent> inThereOrder()
    {
        std::vector<bool> written(m_there.size(), false);
        std::map<Record, int> newHere;
        for (const auto& [record, tally] : m_tallies) {
            const int there = static_cast<int>(tally.there.size());
            const int fromThere = std::min(tally.written, there);
            newHere[record] = tally.written - fromThere;
            for (const int place : tally.there)
                written[place] = true;
            // The copies this list removed go first, then the file's last ones.
            std::vector<bool> removedHere(there, false);
            for (int k = 0; k < std::min(there, static_cast<int>(tally.stored.size())); ++k)
                removedHere[k] = m_removedHere[tally.stored[k]];
            int toDrop = there - fromThere;
            const std::vector<int>& places = tally.there;
            const auto drop = [&](int k) {
                if (toDrop > 0 && written[places[k]]) {
                    written[places[k]] = false;
                    --toDrop;
                }
            };
            for (int k = 0; k < there; ++k)
                if (removedHere[k])
                    drop(k);
            for (int k = there - 1; k >= 0; --k)
                drop(k);
        }
        // (place in the file, after it, place here)
        std::vector<std::tuple<int, int, int>> order;
        for (std::size_t j = 0; j < m_there.size(); ++j)
            if (written[j])
                order.emplace_back(static_cast<int>(j), 0, 0);
        int lastPlace = -1;
        for (int place = 0; place < m_here.ComponentCount(); ++place) {
            const int origin = originOf(place);
            const int storedThere = origin >= 0 ? thereCopyOf(origin) : -1;
            if (heldAsStored(place)) {
                if (storedThere >= 0)
                    lastPlace = storedThere;
                continue;
            }
            int& wanted = newHere[recordOf(hereAt(place))];
            if (wanted == 0)
                continue;
            --wanted;
            std::deque<int>& gaveWay = m_gaveWay[hereAt(place).name];
            int at = INT_MAX; // an addition goes after the file's components
            if (storedThere >= 0) {
                at = storedThere;
            } else if (!gaveWay.empty()) {
                at = gaveWay.front();
                gaveWay.pop_front();
            } else if (origin >= 0) {
                at = lastPlace; // where it stood among the components the file still holds
            }
            if (at != INT_MAX)
                lastPlace = at;
            order.emplace_back(at, 1, place);
        }
        std::stable_sort(order.begin(), order.end());
        std::vector<UnifacComponent> components;
        for (const auto& [at, after, place] : order)
            components.push_back(after ? hereAt(place) : m_there[at]);
        return components;
    }

    std::vector<UnifacComponent> inHereOrder()
    {
        const int count = m_here.ComponentCount();
        std::map<Record, int> surplus;
        for (const auto& [record, tally] : m_tallies)
            surplus[record] = tally.here - (tally.written - tally.thereOnly);
        std::vector<bool> written(count, true);
        // Copies as they were stored go first, from the end, then this list's new ones.
        for (const bool stored : {true, false})
            for (int place = count - 1; place >= 0; --place)
                if (int& extra = surplus[recordOf(hereAt(place))]; extra > 0 && heldAsStored(place) == stored) {
                    written[place] = false;
                    --extra;
                }
        std::vector<UnifacComponent> components;
        for (int place = 0; place < count; ++place)
            if (written[place])
                components.push_back(hereAt(place));
        std::vector<int> thereOnly;
        for (const auto& [record, tally] : m_tallies)
            thereOnly.insert(thereOnly.end(), tally.there.end() - tally.thereOnly, tally.there.end());
        std::sort(thereOnly.begin(), thereOnly.end());
        for (const int place : thereOnly)
            components.push_back(m_there[place]);
        return components;
    }

    const UnifacComponentList& m_here;
    const std::vector<UnifacComponent>& m_stored;
    const std::vector<UnifacComponent>& m_there;
    std::map<Record, Tally> m_tallies;
    std::vector<int> m_copyOf;                          // per stored place: which copy of its record it is
    std::vector<bool> m_removedHere;                    // per stored place: this list no longer holds it
    std::map<std::string, std::deque<int>> m_gaveWay; // per name: the file's places of versions that gave way
    std::vector<std::string> m_keptHere;
};

} // namespace

ComponentMerge mergeComponents(const UnifacComponentList& here, const std::vector<UnifacComponent>& there)
{
    return Merger(here, there).run();
}

} // namespace calvex::unifac
