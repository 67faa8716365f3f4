#pragma once
// The SQLite file layer the component database is read through: the database file is opened as
// every file of the program folder is (services/guardedopen.h), so that a link another account
// planted in its place is never followed, and SQLite then reads the very file that was checked,
// through that descriptor. Every other file SQLite may want (a temporary file of a query) is
// SQLite's own affair, left to its default layer.

namespace calvex::pure {

// The name to hand sqlite3_open_v2 for a read-only open; registered on first use.
const char* guardedReaderVfs();

} // namespace calvex::pure
