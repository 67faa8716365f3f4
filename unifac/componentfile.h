#pragma once
// DATABASE.UFC in the program folder: a 16-bit little-endian count, then one 64-byte record per
// component (20 bytes of name, 44 of group list, blank-padded, Windows-1252). Saving writes over
// the file from its start and never shortens it, so records of a longer list stay behind the
// current ones; they are ignored when reading.

#include "unifac/componentlist.h"

#include <filesystem>
#include <string>
#include <vector>

namespace calvex::unifac {

constexpr std::size_t recordSize = componentNameWidth + groupListWidth;

enum class DatabaseLoad {
    Loaded,
    Created, // there was no file: an empty one (count 0) was made
    Failed,  // the file could not be read, or holds a negative count: the list is empty and the
             // file is left as it was
    Missing, // there was no file, and the program has no folder to make one in
             // (programfolder.h): the list is empty
};

// Replaces the program's list by the file's contents, and takes them as what the file holds
// (UnifacComponentList::stored). A file shorter than its count yields its complete records.
DatabaseLoad LoadDatabase();
DatabaseLoad LoadDatabase(UnifacComponentList& list, const std::filesystem::path& file);

struct DatabaseSave {
    bool saved = false;
    // Names under which another copy of the program saved a version of its own, written as this
    // list has them (componentmerge.h).
    std::vector<std::string> keptHere;

    explicit operator bool() const { return saved; }
};

// Writes the list to the file through a temporary file of this process's own renamed over it,
// so the old file stays whole until the new one is complete. Where another copy of the program
// has changed the file since the list last read or wrote it, what is written is this list's own
// changes applied to the file's list (componentmerge.h), and the list becomes what was written;
// otherwise the list is written as it is. Saves of all copies of the program, on this computer
// or on others sharing the folder, take turns through a lock file of ours beside the file
// (DATABASE.UFC.lock). Not saved when the lock could not be had or the file could not be read or
// written (the old file is then unchanged, and so is the list), nor where the program has no
// folder to write. After a load of the program's list that failed,
// an empty list is not written, and another list is written only once the unreadable file is
// copied to DATABASE.UFC.bak.
DatabaseSave SaveDatabase();
DatabaseSave SaveDatabase(UnifacComponentList& list, const std::filesystem::path& file);

bool FileExists(const std::filesystem::path& path);

// DATABASE.UFC in the folder the program reads its files from.
std::filesystem::path databaseFile();

} // namespace calvex::unifac
