#pragma once
// What a save writes when DATABASE.UFC was changed by another copy of the program since this
// list last read or wrote it: this list's own changes since then (components added, changed,
// renamed, deleted, moved) applied to what the file holds now, so that neither window's work
// is lost.

#include "unifac/componentlist.h"

#include <string>
#include <vector>

namespace calvex::unifac {

struct ComponentMerge {
    std::vector<UnifacComponent> components;
    // The components that both changed, each its own way, or that one changed and the other
    // deleted: this list's version is kept (a deletion too). Their names as this list has them,
    // or had them before deleting them, without trailing blanks.
    std::vector<std::string> keptHere;
};

// `here` must know what the file held (`stored()`); `there` is what it holds now. Components of
// the file are told apart by their names; one under a new name with the groups of one that is
// gone is that one renamed. The order is the file's, with the components added
// here after it, unless this list moved components: then it is this list's, with the file's new
// components after it.
ComponentMerge mergeComponents(const UnifacComponentList& here, const std::vector<UnifacComponent>& there);

} // namespace calvex::unifac
