#pragma once
// The user component file Filedatabase.dat in the program folder: the constants users typed
// for components the database lacks, one record a line, in the order they were added.
//
// A record is five fields, each in double quotes, separated by commas without blanks, the
// line ended by CR LF: name, Tc (K), Pc (bar), omega, Tb (K), each the text exactly as it was
// typed. A double quote inside a field is written twice so that the field reads back whole.
// Reading takes the fields quoted or not and removes the quotes; a line that does not hold
// exactly five fields is skipped, so a damaged line never hides the records after it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace calvex::services {

inline constexpr const char* userComponentFileName = "Filedatabase.dat";

struct UserComponentRecord {
    std::string name;
    std::string Tc;
    std::string Pc;
    std::string omega;
    std::string Tb;

    bool operator==(const UserComponentRecord&) const = default;
};

// The record as one line of the file, CR LF included. A line break inside a field would split
// the record, so it is written as a blank.
std::string userComponentLine(const UserComponentRecord& record);

// The record a line holds (without its line end), or nothing when the line is malformed.
std::optional<UserComponentRecord> parseUserComponentLine(std::string_view line);

// The first record whose name equals `name` exactly (case and blanks count), or nothing: also
// when the file is missing or unreadable.
std::optional<UserComponentRecord> findUserComponent(const std::filesystem::path& file, const std::string& name);
std::optional<UserComponentRecord> findUserComponent(const std::string& name);

// Appends the record as one whole line, created with the file when it is missing. The line is
// written in a single write and forced to disk; a write that cannot complete is taken back, so
// the file never ends in half a record. Another copy of the program appending or reading at the
// same moment waits meanwhile (filelock.h), so taking back never cuts its record. A file whose last line lacks its line end (cut short by
// an earlier crash) gets one first, so the new record starts a line of its own. False when the
// record could not be stored, also where the program has no folder to write (programfolder.h).
bool appendUserComponent(const std::filesystem::path& file, const UserComponentRecord& record);
bool appendUserComponent(const UserComponentRecord& record);

} // namespace calvex::services
