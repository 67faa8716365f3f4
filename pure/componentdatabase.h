#pragma once
// Read-only access to the component-property database properties.mdb. Every operation opens
// the file with its key, runs one query and releases the file before it returns, so
// several windows and several running copies of the program may read it at once.

#include "core/componentconstants.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calvex::pure {

inline constexpr char componentDatabaseFile[] = "properties.mdb";
// The index of name and SNO that the build makes: the list and the search by name read it, a
// fifth of the table's pages, in place of the table. A file without it is read from the table.
inline constexpr char componentListingIndex[] = "properties_listing";
// The file opens only with this key: SQLCipher's raw-key form, x'<64 hex digits>', which the
// build derives from the database's password.
inline constexpr char componentDatabaseKey[] = CALVEX_COMPONENT_DATABASE_KEY;

struct ComponentEntry {
    std::string name;
    std::int32_t SNO = 0;
};

// The rows in the order the database delivers them, or, when `error` is set, what failed.
struct [[nodiscard]] ComponentList {
    std::vector<ComponentEntry> components;
    std::optional<std::string> error;
    bool ok() const { return !error; }
};

// Whether the component was found, or, when `error` is set, what failed. The caller's
// constants change only when the component was found and every value it needs was read.
struct [[nodiscard]] ComponentLookup {
    bool found = false;
    std::optional<std::string> error;
    bool ok() const { return !error; }
};

// What ReadComponent reads besides Pc, Tc, Tb and omega; each choice takes in the one before.
// The mixture windows take the critical constants only, the enthalpy and entropy windows the
// Cp constants as well, so an empty cell fails only a window that reads its column.
enum class ComponentColumns {
    Critical,       // Pc, Tc, Tb, omega
    VapourPressure, // and eq with the vapour-pressure constants eq uses
    HeatCapacity,   // and CPVAPA-CPVAPD
};

class ComponentDatabase {
public:
    // properties.mdb in the program folder, taken anew at every operation.
    ComponentDatabase() = default;
    explicit ComponentDatabase(std::filesystem::path file);

    // Every row's name and SNO, unsorted. An empty table gives an empty list.
    ComponentList ListComponents() const;

    // The row with `SNO`: Pc (bar), Tc, Tb, omega and, as `columns` asks, eq with the
    // vapour-pressure constants it uses (1 or 2: VPA-VPD, 3: VPA-VPC, other: none) and the Cp
    // constants. An SNO that no row carries is not an error: found is false and nothing changes.
    ComponentLookup ReadComponent(std::int32_t SNO, core::ComponentConstants& constants,
                                  ComponentColumns columns = ComponentColumns::VapourPressure) const;

    // The first row whose name equals `name` once the blanks are taken out of both (case counts):
    // Pc (bar), Tc, Tb, omega, eq and the vapour-pressure constants eq uses; no Cp constants.
    ComponentLookup FindComponentByName(std::string_view name,
                                        core::ComponentConstants& constants) const;

    std::filesystem::path file() const;

private:
    std::filesystem::path m_file;
};

} // namespace calvex::pure
