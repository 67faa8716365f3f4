#pragma once
// Makes the nine mixture input windows and their nine component-selection windows loadable by
// name.

namespace calvex::mixture {

void registerMixtureWindows();

} // namespace calvex::mixture
