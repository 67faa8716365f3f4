#include "services/usercomponentfile.h"

#include "services/filelock.h"
#include "services/filereplacement.h"
#include "services/guardedopen.h"
#include "services/programfolder.h"

#include <array>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace calvex::services {
namespace {

constexpr int fieldCount = 5;
// Half a million records of typed constants, far more than anyone types into the dialogs.
constexpr std::size_t largestUserComponentFile = std::size_t{64} << 20;

void appendQuotedField(std::string& line, std::string_view text)
{
    line += '"';
    for (const char c : text) {
        if (c == '"')
            line += "\"\"";
        else if (c == '\r' || c == '\n')
            line += ' ';
        else
            line += c;
    }
    line += '"';
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one field starting at `pos` and leaves `pos` on the comma after it or at the end.
std::optional<std::string> readField(std::string_view line, std::size_t& pos)
{
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    std::string field;
    if (pos < line.size() && line[pos] == '"') {
        ++pos;
        for (;;) {
            const std::size_t quote = line.find('"', pos);
            if (quote == std::string_view::npos)
                return std::nullopt;
            field.append(line.substr(pos, quote - pos));
            pos = quote + 1;
            if (pos < line.size() && line[pos] == '"') {
                field += '"';
                ++pos;
                continue;
            }
            break;
        }
        // Whatever stands between the closing quote and the next comma is not part of the field.
        const std::size_t comma = line.find(',', pos);
        pos = comma == std::string_view::npos ? line.size() : comma;
        return field;
    }
    const std::size_t comma = line.find(',', pos);
    const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
    std::size_t last = end;
    while (last > pos && isBlank(line[last - 1]))
        --last;
    field.assign(line.substr(pos, last - pos));
    pos = end;
    return field;
}

// Appends `line` whole to the file open at `fd`, or leaves the file as it was.
bool appendLine(int fd, const std::string& line)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return false;
    const off_t sizeBefore = status.st_size;
    std::string text;
    char last = '\n';
    if (sizeBefore > 0 && ::pread(fd, &last, 1, sizeBefore - 1) != 1)
        last = '\0';
    if (last != '\n')
        text = "\r\n";
    text += line;
    // A file on a network share may report a full disk only when it is synced.
    const bool stored = !writeAll(fd, text) && ::fsync(fd) == 0;
    if (!stored && ::ftruncate(fd, sizeBefore) == 0)
        ::fsync(fd);
    return stored;
}

} // namespace

std::string userComponentLine(const UserComponentRecord& record)
{
    std::string line;
    const std::array<const std::string*, fieldCount> fields{&record.name, &record.Tc, &record.Pc, &record.omega,
                                                            &record.Tb};
    for (int i = 0; i < fieldCount; ++i) {
        if (i > 0)
            line += ',';
        appendQuotedField(line, *fields[i]);
    }
    line += "\r\n";
    return line;
}

std::optional<UserComponentRecord> parseUserComponentLine(std::string_view line)
{
    std::array<std::string, fieldCount> fields;
    std::size_t pos = 0;
    for (int i = 0; i < fieldCount; ++i) {
        if (i > 0) {
            if (pos >= line.size() || line[pos] != ',')
                return std::nullopt;
            ++pos;
        }
        auto field = readField(line, pos);
        if (!field)
            return std::nullopt;
        fields[i] = std::move(*field);
    }
    if (pos != line.size())
        return std::nullopt;
    return UserComponentRecord{fields[0], fields[1], fields[2], fields[3], fields[4]};
}

std::optional<UserComponentRecord> findUserComponent(const std::filesystem::path& file, const std::string& name)
{
    // Another copy of the program may be appending, or taking back an append that failed.
    const std::optional<std::string> content = readWholeFileLocked(file, largestUserComponentFile);
    if (!content)
        return std::nullopt;
    for (std::string_view rest = *content; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        auto record = parseUserComponentLine(line);
        if (record && record->name == name)
            return record;
    }
    return std::nullopt;
}

std::optional<UserComponentRecord> findUserComponent(const std::string& name)
{
    return findUserComponent(programFile(userComponentFileName), name);
}

bool appendUserComponent(const std::filesystem::path& file, const UserComponentRecord& record)
{
    const int fd = openGuarded(file, O_RDWR | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        return false;
    bool stored = false;
    {
        // Held until the append is on the disk or taken back: the cut back to the earlier length
        // must not take a record that another copy of the program appended meanwhile.
        const FileLock lock(fd, FileLock::Kind::Exclusive);
        stored = lock && appendLine(fd, userComponentLine(record));
    }
    ::close(fd);
    return stored;
}

bool appendUserComponent(const UserComponentRecord& record)
{
    const std::optional<std::filesystem::path> file = programFileToWrite(userComponentFileName);
    return file && appendUserComponent(*file, record);
}

} // namespace calvex::services
