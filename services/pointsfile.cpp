#include "services/pointsfile.h"

#include "services/filereplacement.h"
#include "services/guardedopen.h"
#include "services/numbers.h"
#include "services/programfolder.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace calvex::services {
namespace {

// Room for the 32767 rows a chart takes, of a few curves each; a run writes fifty lines at most.
constexpr std::size_t largestPointsFile = std::size_t{16} << 20;

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// What this program last wrote to each points file, by path: its plots draw what it computed,
// although another copy of the program may have rewritten the file since.
std::map<std::string, std::string>& ownCopies()
{
    static std::map<std::string, std::string> copies;
    return copies;
}

} // namespace

PointItem::PointItem(int value) : m_value(value), m_width(Width::Whole) {}

PointItem::PointItem(float value) : m_value(value), m_width(Width::Single) {}

PointItem::PointItem(double value) : m_value(value), m_width(Width::Double) {}

bool PointItem::isFinite() const { return std::isfinite(m_value); }

bool PointItem::fitsChart() const { return toSingle(m_value).has_value(); }

std::string PointItem::text() const
{
    switch (m_width) {
    case Width::Whole: return std::to_string(static_cast<long long>(m_value));
    case Width::Single: return singleText(static_cast<float>(m_value));
    case Width::Double: break;
    }
    return doubleText(m_value);
}

PointsFileWriter::PointsFileWriter(const std::string& fileName)
{
    if (const std::optional<std::filesystem::path> path = programFileToWrite(fileName)) {
        m_path = path->string();
        m_fd = openGuarded(m_path, O_RDWR | O_CREAT);
    }
    if (m_fd < 0) {
        ownCopies().erase(programFile(fileName).string());
        return;
    }
    // Emptied only once locked: emptied at the open, it could cut a file another copy of the
    // program is writing or reading.
    m_lock.emplace(m_fd, FileLock::Kind::Exclusive);
    if (!*m_lock || ::ftruncate(m_fd, 0) != 0)
        m_failed = true;
}

PointsFileWriter::~PointsFileWriter() { close(); }

bool PointsFileWriter::isOpen() const { return m_fd >= 0; }

bool PointsFileWriter::writeLine(std::initializer_list<PointItem> items)
{
    if (!isOpen())
        return false;
    std::string line;
    for (const PointItem& item : items) {
        if (!item.isFinite())
            return false;
        if (!line.empty())
            line += ',';
        line += item.text();
    }
    line += "\r\n";
    if (!m_failed && !writeAll(m_fd, line))
        m_written += line;
    else
        m_failed = true;
    return !m_failed;
}

bool PointsFileWriter::close()
{
    if (!isOpen())
        return false;
    m_lock.reset();
    m_failed = ::close(m_fd) != 0 || m_failed;
    m_fd = -1;
    if (m_failed)
        ownCopies().erase(m_path);
    else
        ownCopies()[m_path] = m_written;
    return !m_failed;
}

namespace {

// Both runs write the run variable twice a line: once for the liquid curve, once for the vapour.
template <class Point, class Variable>
bool writeVlePointsFile(const std::vector<Point>& points, Variable Point::*variable)
{
    PointsFileWriter writer(points1FileName);
    bool written = writer.isOpen();
    for (auto point = points.begin(); written && point != points.end(); ++point)
        written = writer.writeLine({point->x1, (*point).*variable, point->y1, (*point).*variable});
    return writer.close() && written;
}

} // namespace

bool writeTxyPointsFile(const std::vector<TxyPoint>& points) { return writeVlePointsFile(points, &TxyPoint::T_K); }

bool writePxyPointsFile(const std::vector<PxyPoint>& points) { return writeVlePointsFile(points, &PxyPoint::P_kPa); }

PointsFileReader::PointsFileReader(const std::string& fileName) : m_fileName(fileName)
{
    const std::string path = programFile(fileName).string();
    if (const auto own = ownCopies().find(path); own != ownCopies().end()) {
        m_content = own->second;
        return;
    }
    std::optional<std::string> content = readWholeFileLocked(path, largestPointsFile);
    std::error_code error;
    if (!content)
        throw PlotFailure(fileName +
                          (std::filesystem::exists(path, error) ? " could not be read" : " could not be opened"));
    m_content = std::move(*content);
}

bool PointsFileReader::nextItem(std::string& item)
{
    const std::string& text = m_content;
    std::size_t& at = m_position;
    // Blank lines between items hold nothing.
    while (at < text.size() && (isBlank(text[at]) || isLineEnd(text[at])))
        ++at;
    if (at >= text.size())
        return false;
    const std::size_t start = at;
    while (at < text.size() && text[at] != ',' && !isLineEnd(text[at]))
        ++at;
    item = trimmed(text.substr(start, at - start));
    if (at < text.size() && text[at] == ',')
        ++at;
    return true;
}

double PointsFileReader::nextNumber()
{
    std::string item;
    if (!nextItem(item))
        throw PlotFailure(m_fileName + " ends before all its points were read");
    const char* first = item.data();
    const char* last = item.data() + item.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (item.empty() || error != std::errc() || end != last || !std::isfinite(value))
        throw PlotFailure(m_fileName + " holds \"" + item + "\" where a number belongs");
    return value;
}

float PointsFileReader::nextSingle()
{
    const auto value = toSingle(nextNumber());
    if (!value)
        throw PlotFailure(m_fileName + " holds a number too large to draw");
    return *value;
}

int PointsFileReader::nextCount(int maximum, int least)
{
    const double count = std::nearbyint(nextNumber());
    if (count < least || count > maximum)
        throw PlotFailure(m_fileName + " gives " + doubleText(count) + " where a count from " + std::to_string(least) +
                          " to " + std::to_string(maximum) + " belongs");
    return static_cast<int>(count);
}

} // namespace calvex::services
