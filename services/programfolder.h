#pragma once
// The program folder: where the database, templates, help pages and data files live and
// where the report page and plot files are written. It is the executable's folder, or,
// when that folder cannot be written, a per-user data folder seeded from it.

#include <filesystem>
#include <string>

namespace calvex::services {

std::filesystem::path programFolder();

// The path of `fileName` inside the program folder (file names are case-sensitive here).
std::filesystem::path programFile(const std::string& fileName);

// Chooses the program folder once at start-up from the executable's folder.
void initialiseProgramFolder();

// Copies the program's own files from `from` into the per-user folder `to`, refreshing them,
// while the user's own data files there (Filedatabase.dat, DATABASE.UFC) are kept.
void seedUserFolder(const std::filesystem::path& from, const std::filesystem::path& to);

// Points the program folder somewhere else (tests use a scratch folder).
void setProgramFolder(const std::filesystem::path& folder);

} // namespace calvex::services
