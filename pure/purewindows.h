#pragma once
// Makes the seven pure-component calculator windows loadable by name.

namespace calvex::pure {

void registerPureWindows();

} // namespace calvex::pure
