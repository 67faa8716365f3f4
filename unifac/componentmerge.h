#pragma once
// What a save writes when DATABASE.UFC was changed by another copy of the program since this
// list last read or wrote it: this list's own changes since then applied to what the file holds
// now, so that neither window's work is lost.
//
// Components are told apart only by what the file holds of them, the whole record: a rename or
// new groups are the old record gone and a new one come, and a record that stands more than once
// is counted. This list's changes are what it made, as the origins of its components tell
// (UnifacComponentList::storedOrigin): one it added is its addition, whatever the file held
// before, so a record deleted and added again (Reset, a clear and an add) is removed and added.
// With s copies of a record stored, k of them still held here as read, a = h - k copies added
// here, and the file now holding t (so that window removed d = max(0, s - t) or added
// e = max(0, t - s)), the merge writes
//   s - max(s - k, d) + max(a, e)
// a removal made in both windows counting once, and so an addition made in both. So a save
// removes from the file only copies this list deleted or replaced, and only as many as the file
// still holds of what this list read. Where that would leave a name more often than either
// window holds it (both gave one name to different components), the file's new versions under
// that name give way to this list's own, and the name is reported.

#include "unifac/componentlist.h"

#include <string>
#include <vector>

namespace calvex::unifac {

struct ComponentMerge {
    std::vector<UnifacComponent> components;
    // The names, without trailing blanks, under which a version the file held was not written
    // because this list has its own; in the file's order.
    std::vector<std::string> keptHere;
};

// `here` must know what the file held (`stored()`); `there` is what it holds now. The order is
// the file's, with this list's new versions in the place of what they replace (or of what gave
// way to them) and its additions after it; where this list moved components, it is this list's
// order, with the file's new components after it.
ComponentMerge mergeComponents(const UnifacComponentList& here, const std::vector<UnifacComponent>& there);

} // namespace calvex::unifac
