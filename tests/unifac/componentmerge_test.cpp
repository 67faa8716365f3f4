// Two windows of the program save DATABASE.UFC one after the other: the second save applies its
// own changes to what the first wrote, and loses nothing either window holds.
#include "unifac/componentfile.h"
#include "unifac/grouplist.h"
#include "unifac/windows1252.h"

#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <sstream>

namespace calvex::unifac {
namespace {

// "water 17,1;|benzene 10,6;|": names and groups in order, blanks trimmed.
std::string contents(const std::vector<UnifacComponent>& components)
{
    std::string out;
    for (const UnifacComponent& component : components)
        out += trimBlanks(component.name) + " " + trimBlanks(component.GroupList) + "|";
    return out;
}

class ComponentMerge : public ::testing::Test {
protected:
    // Saves `start`, loads it into two windows' lists, saves `there`'s edit, then `here`'s.
    DatabaseSave saveOneAfterTheOther(const std::vector<UnifacComponent>& start,
                                      const std::function<void(UnifacComponentList&)>& thereEdit,
                                      const std::function<void(UnifacComponentList&)>& hereEdit)
    {
        UnifacComponentList first;
        first.replaceAll(start);
        EXPECT_TRUE(SaveDatabase(first, databaseFile()));
        EXPECT_EQ(LoadDatabase(here, databaseFile()), DatabaseLoad::Loaded);
        EXPECT_EQ(LoadDatabase(there, databaseFile()), DatabaseLoad::Loaded);
        thereEdit(there);
        EXPECT_TRUE(SaveDatabase(there, databaseFile()));
        hereEdit(here);
        return SaveDatabase(here, databaseFile());
    }
    std::vector<UnifacComponent> saved()
    {
        UnifacComponentList file;
        EXPECT_EQ(LoadDatabase(file, databaseFile()), DatabaseLoad::Loaded);
        return file.components();
    }

    testing::ScratchFolder folder{testing::ScratchFolder::memoryBase()};
    UnifacComponentList here, there;
};

std::vector<UnifacComponent> parse(const std::string& text)
{
    std::vector<UnifacComponent> components;
    std::istringstream rows(text);
    for (std::string row; std::getline(rows, row, '|');) {
        const std::size_t blank = row.find(' ');
        components.push_back({storedName(row.substr(0, blank)), fitToWidth(row.substr(blank + 1), groupListWidth)});
    }
    return components;
}

TEST_F(ComponentMerge, RowsOfTwoWindowsSavingOneAfterTheOther)
{
    using Edit = std::function<void(UnifacComponentList&)>;
    const auto add = [](const char* name, const char* groups) {
        return Edit([=](UnifacComponentList& l) { l.AddComponent(name, groups); });
    };
    const auto erase = [](int position) { return Edit([=](UnifacComponentList& l) { l.DeleteComponent(position); }); };
    const auto rename = [](int position, const char* name) {
        return Edit([=](UnifacComponentList& l) { l.SetComponentName(position, name); });
    };
    const auto regroup = [](int position, const char* groups) {
        return Edit([=](UnifacComponentList& l) { l.SetComponentGroups(position, groups); });
    };
    const auto both = [](Edit a, Edit b) { return Edit([=](UnifacComponentList& l) { a(l); b(l); }); };
    const std::string pair = "water 17,1;|benzene 10,6;";
    const std::string xylene = "toluene 10,5;12,1;|o-xylene 10,4;11,2;";
    const std::string benzenes = "benzene 10,6;|benzene 10,6;|water 17,1;";
    const std::string butanols = "butanol 1,1;2,3;14,1;|butanol 1,2;3,1;2,1;14,1;";
    const std::string ethanols = "ethanol 1,1;2,1;14,1;|ethanol 1,1;2,1;15,1;";
    const std::string namesakes = "a 10,5;12,1;|a 10,6;|a 10,5;12,1;|a 10,5;12,1;";
    std::string defaults;
    for (const DefaultComponent& component : defaultComponents())
        defaults += std::string(defaults.empty() ? "" : "|") + component.name + " " + component.groups;
    const Edit reset = [](UnifacComponentList& l) {
        l.ClearComponents();
        for (const DefaultComponent& component : defaultComponents())
            l.AddComponent(component.name, component.groups);
    };
    const Edit clear = [](UnifacComponentList& l) { l.ClearComponents(); };
    const struct {
        const char* what;
        std::string start;
        Edit there, here; // saved in this order
        const char* file;
        std::vector<std::string> named;
    } rows[] = {
        {"added in both", pair, add("ProbeB", "1,1;"), add("ProbeA", "2,1;"),
         "water 17,1;|benzene 10,6;|ProbeB 1,1;|ProbeA 2,1;|", {}},
        {"the same added in both", pair, add("ProbeA", "2,1;"), add("ProbeA", "2,1;"),
         "water 17,1;|benzene 10,6;|ProbeA 2,1;|", {}},
        {"deleted here", pair, add("ProbeB", "1,1;"), erase(2), "water 17,1;|ProbeB 1,1;|", {}},
        {"deleted there", pair, erase(1), add("ProbeA", "2,1;"), "benzene 10,6;|ProbeA 2,1;|", {}},
        {"deleted in both", pair, erase(2), erase(2), "water 17,1;|", {}},
        {"renamed here", pair, add("ProbeB", "1,1;"), rename(1, "H2O"), "H2O 17,1;|benzene 10,6;|ProbeB 1,1;|", {}},
        {"changed there", pair, regroup(2, "10,5;11,1;"), add("ProbeA", "2,1;"),
         "water 17,1;|benzene 10,5;11,1;|ProbeA 2,1;|", {}},
        {"moved here", pair, add("ProbeB", "1,1;"), [](auto& l) { l.SwapComponents(1, 2); },
         "benzene 10,6;|water 17,1;|ProbeB 1,1;|", {}},
        {"reset here, added there", pair, add("ProbeB", "1,1;"), both([](auto& l) { l.ClearComponents(); }, add("water", "17,1;")),
         "water 17,1;|ProbeB 1,1;|", {}},
        {"changed alike in both", pair, regroup(1, "17,2;"), regroup(1, "17,2;"), "water 17,2;|benzene 10,6;|", {}},
        {"changed apart in both", pair, regroup(1, "16,1;"), regroup(1, "17,2;"), "water 17,2;|benzene 10,6;|", {"water"}},
        {"renamed apart in both", pair, rename(1, "aqua"), rename(1, "H2O"), "H2O 17,1;|aqua 17,1;|benzene 10,6;|", {}},
        {"renamed here, changed there", pair, regroup(1, "16,1;"), rename(1, "H2O"),
         "H2O 17,1;|water 16,1;|benzene 10,6;|", {}},
        {"changed here, deleted there", pair, erase(2), rename(2, "benzol"), "water 17,1;|benzol 10,6;|", {}},
        {"deleted here, changed there", pair, regroup(1, "16,1;"), erase(1), "water 16,1;|benzene 10,6;|", {}},
        {"one name given apart in both", pair, add("Probe", "1,1;"), add("Probe", "2,1;"),
         "water 17,1;|benzene 10,6;|Probe 2,1;|", {"Probe"}},
        {"an isomer added there", xylene, both(erase(2), add("p-xylene", "10,4;11,2;")), erase(2),
         "toluene 10,5;12,1;|p-xylene 10,4;11,2;|", {}},
        {"an isomer added here", xylene, erase(2), both(erase(2), add("p-xylene", "10,4;11,2;")),
         "toluene 10,5;12,1;|p-xylene 10,4;11,2;|", {}},
        {"an isomer added there, changed here", xylene, both(erase(2), add("p-xylene", "10,4;11,2;")),
         regroup(2, "10,4;12,2;"), "toluene 10,5;12,1;|o-xylene 10,4;12,2;|p-xylene 10,4;11,2;|", {}},
        {"an isomer added here, changed there", xylene, regroup(2, "10,4;12,2;"),
         both(erase(2), add("p-xylene", "10,4;11,2;")), "toluene 10,5;12,1;|o-xylene 10,4;12,2;|p-xylene 10,4;11,2;|", {}},
        {"one of two same records deleted in both", benzenes, erase(1), erase(1), "benzene 10,6;|water 17,1;|", {}},
        {"the first namesake deleted in both", butanols, erase(1), erase(1), "butanol 1,2;3,1;2,1;14,1;|", {}},
        {"namesakes: renamed here, changed there", ethanols, regroup(1, "1,1;2,1;16,1;"), rename(1, "ethanol-old"),
         "ethanol-old 1,1;2,1;14,1;|ethanol 1,1;2,1;16,1;|ethanol 1,1;2,1;15,1;|", {}},
        {"namesakes: changed here, renamed there", ethanols, rename(1, "ethanol-old"), regroup(1, "1,1;2,1;16,1;"),
         "ethanol 1,1;2,1;16,1;|ethanol-old 1,1;2,1;14,1;|ethanol 1,1;2,1;15,1;|", {}},
        {"reset here, benzene deleted there", defaults, erase(1), reset,
         "chlorobenzene 10,5;54,1;|ethylbenzene 1,1;10,5;13,1;|n-octane 1,2;2,6;|toluene 10,5;12,1;|water 17,1;|"
         "benzene 10,6;|", {}},
        {"reset here, changed there", pair, regroup(1, "16,1;"),
         both(clear, both(add("water", "17,1;"), add("benzene", "10,6;"))), "water 17,1;|benzene 10,6;|", {"water"}},
        {"cleared and added here, cleared there", "é 1,1;|a 1,1;", clear, both(clear, add("a", "1,1;")), "a 1,1;|", {}},
        {"a namesake deleted and added again here, deleted there", namesakes, erase(2), both(erase(2), add("a ", "10,6;")),
         "a 10,5;12,1;|a 10,5;12,1;|a 10,5;12,1;|a 10,6;|", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const DatabaseSave save = saveOneAfterTheOther(parse(row.start), row.there, row.here);
        ASSERT_TRUE(save);
        EXPECT_EQ(save.keptHere, row.named);
        EXPECT_EQ(contents(saved()), row.file);
        EXPECT_EQ(contents(here.components()), row.file) << "the list is what was written";
        // The other window's next save, with nothing changed there, keeps this one's changes.
        ASSERT_TRUE(SaveDatabase(there, databaseFile()));
        EXPECT_EQ(contents(saved()), row.file);
    }
}

// Random edits of two windows over a small list where names and groups repeat, through the list's
// own operations. For each record (name and groups) with s copies stored, h in this window, of
// which k are held as stored (by the list's own origins), t in the file before this window's
// save and w after it, and N the names the save reported:
//   w <= max(h, t)                      nothing appears that neither window held;
//   w >= h - k                          this window's additions are written;
//   w >= t - (s - k), unless N          the file loses only copies this window removed;
//   and N holds no name where that last line holds with room to spare.
// Names stand no more often than in either window's list, and a window without edits writes
// the file's bytes back unchanged.
TEST_F(ComponentMerge, RandomEditsOfTwoWindowsLoseNothing)
{
    constexpr int pairsOfEdits = 2500;
    const char* const names[] = {"a", "b", "c"};
    const char* const groups[] = {"1,1;", "2,1;", "1,1;2,1;"};
    std::mt19937 random(20261210);
    const auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    const auto position = [&](const UnifacComponentList& l) { return 1 + pick(std::max<int>(l.ComponentCount(), 1)); };
    const auto edit = [&](UnifacComponentList& l) {
        for (int n = 1 + pick(3); n > 0; --n)
            switch (pick(11)) {
            case 0: case 1: case 2: l.AddComponent(names[pick(3)], groups[pick(3)]); break;
            case 3: case 4: l.DeleteComponent(position(l)); break;
            case 5: case 6: l.SetComponentName(position(l), names[pick(3)]); break;
            case 7: case 8: l.SetComponentGroups(position(l), groups[pick(3)]); break;
            case 9: l.SwapComponents(position(l), position(l)); break;
            default:
                if (pick(4) == 0)
                    l.ClearComponents();
            }
    };
    using Counts = std::map<std::pair<std::string, std::string>, int>;
    const auto countsOf = [](const std::vector<UnifacComponent>& components) {
        Counts records;
        std::map<std::string, int> byName;
        for (const UnifacComponent& c : components) {
            ++records[{c.name, c.GroupList}];
            ++byName[c.name];
        }
        return std::pair(records, byName);
    };
    int unedited = 0, reported = 0;
    for (int trial = 0; trial < pairsOfEdits; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        std::vector<UnifacComponent> start, beforeHere;
        for (int n = pick(6); n > 0; --n)
            start.push_back({storedName(names[pick(3)]), fitToWidth(groups[pick(3)], groupListWidth)});
        const bool editHere = pick(5) != 0;
        std::vector<UnifacComponent> hereBefore;
        Counts k;
        bool untouched = true; // every component where and as it was read
        const DatabaseSave save = saveOneAfterTheOther(start, edit, [&](UnifacComponentList& l) {
            beforeHere = saved();
            if (editHere)
                edit(l);
            hereBefore = l.components();
            untouched = hereBefore.size() == start.size();
            for (int p = 1; p <= l.ComponentCount(); ++p) {
                const int origin = l.storedOrigin(p);
                if (origin > 0 && start[origin - 1] == hereBefore[p - 1])
                    ++k[{hereBefore[p - 1].name, hereBefore[p - 1].GroupList}];
                untouched = untouched && origin == p && start[p - 1] == hereBefore[p - 1];
            }
        });
        ASSERT_TRUE(save);
        const std::vector<UnifacComponent> written = saved();
        ASSERT_EQ(contents(written), contents(here.components()));
        if (untouched) {
            ++unedited;
            ASSERT_EQ(contents(written), contents(beforeHere)) << "a window without edits leaves the file as it found it " << contents(start) << " / " << contents(hereBefore);
        }
        const auto [s, sNames] = countsOf(start);
        const auto [h, hNames] = countsOf(hereBefore);
        const auto [t, tNames] = countsOf(beforeHere);
        const auto [w, wNames] = countsOf(written);
        std::vector<std::string> shortOf;
        Counts all = s;
        all.insert(h.begin(), h.end());
        all.insert(t.begin(), t.end());
        for (const auto& entry : all) {
            const auto& record = entry.first;
            const auto of = [&record](const Counts& c) { return c.count(record) ? c.at(record) : 0; };
            ASSERT_LE(of(w), std::max(of(h), of(t))) << contents(written);
            ASSERT_GE(of(w), of(h) - of(k)) << contents(start) << " / " << contents(beforeHere) << " / "
                                             << contents(hereBefore) << " -> " << contents(written);
            if (of(w) < of(t) - (of(s) - of(k)))
                shortOf.push_back(trimBlanks(record.first));
        }
        std::sort(shortOf.begin(), shortOf.end());
        shortOf.erase(std::unique(shortOf.begin(), shortOf.end()), shortOf.end());
        std::vector<std::string> named = save.keptHere;
        reported += !named.empty();
        std::sort(named.begin(), named.end());
        ASSERT_EQ(named, shortOf) << contents(start) << " / " << contents(beforeHere) << " / " << contents(hereBefore);
        for (const auto& [name, count] : wNames) {
            const auto of = [&name = name](const std::map<std::string, int>& c) { return c.count(name) ? c.at(name) : 0; };
            ASSERT_LE(count, std::max(of(hNames), of(tNames))) << name;
        }
    }
    // The draws reach the cases that matter, not only easy ones.
    EXPECT_GT(unedited, pairsOfEdits / 10);
    EXPECT_GT(reported, pairsOfEdits / 50);
}

} // namespace
} // namespace calvex::unifac
