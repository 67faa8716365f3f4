#pragma once
// The plot data files points1.dat and points2.dat in the program folder.
//
// Both layouts are lines of comma-separated numbers ended by CR LF: a 32-bit value is written
// with up to 7 significant digits, a 64-bit value with up to 15, whole numbers without a point,
// very large or small magnitudes in the exponent form ("1E-05", "1.234568E+07").
// - SweepPointsFile: line 1 the number of rows n, line 2 the number of curves m, then n lines
//   "x,y1[,y2]" (points1.dat against temperature in K, points2.dat against pressure in bar).
// - VlePointsFile: points1.dat of a T-x-y run (21 lines "x1,T,y1,T", T in K, all 32-bit) or of
//   a P-x-y run (50 lines "x1,P,y1,P", P in kPa as a 64-bit value, x1 and y1 32-bit).

#include "services/filelock.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace calvex::services {

inline constexpr const char* points1FileName = "points1.dat";
inline constexpr const char* points2FileName = "points2.dat";

// A plot that could not be drawn from its points file (missing, short, or holding something
// that is not a number). Fills that trap nothing let it reach the result viewer.
class PlotFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One number of a points-file line, written with the digits of the type it was computed in.
class PointItem {
public:
    PointItem(int value);    // a count: written as a whole number
    PointItem(float value);  // a 32-bit value: up to 7 significant digits
    PointItem(double value); // a 64-bit value: up to 15 significant digits

    bool isFinite() const;
    // Whether the chart, which reads 32-bit values, can hold the number.
    bool fitsChart() const;
    std::string text() const;

private:
    enum class Width { Whole, Single, Double };
    double m_value;
    Width m_width;
};

// Writes a points file line by line, as a sweep computes its points. The file is created or
// emptied when the writer is made; a sweep that stops part-way leaves the lines written so far.
// Another copy of the program writing or reading the same file waits until this one is closed,
// and this program's own plots read what it wrote itself, whatever the other copy writes later.
class PointsFileWriter {
public:
    // Opens `fileName` in the program folder for writing, replacing what it held; not open where
    // the program has no folder to write (programfolder.h).
    explicit PointsFileWriter(const std::string& fileName);
    ~PointsFileWriter();
    PointsFileWriter(const PointsFileWriter&) = delete;
    PointsFileWriter& operator=(const PointsFileWriter&) = delete;

    bool isOpen() const;
    // Writes the items and CR LF. Writes nothing and returns false when the file is not open
    // or an item is not a finite number (a point whose calculation gave no value).
    bool writeLine(std::initializer_list<PointItem> items);
    // Closes the file; false when any write failed.
    bool close();

private:
    std::string m_path;
    int m_fd = -1;
    std::optional<FileLock> m_lock;
    std::string m_written;
    bool m_failed = false;
};

// One grid point of a T-x-y run: liquid and vapour mole fractions of component 1 and T in K.
struct TxyPoint {
    float x1 = 0;
    float T_K = 0;
    float y1 = 0;
};

// One grid point of a P-x-y run: mole fractions of component 1 and P in kPa.
struct PxyPoint {
    float x1 = 0;
    double P_kPa = 0;
    float y1 = 0;
};

// Write points1.dat as a VlePointsFile, one line per point in grid order. False when the file
// cannot be written or a value is not finite (the file then holds the lines before it).
bool writeTxyPointsFile(const std::vector<TxyPoint>& points);
bool writePxyPointsFile(const std::vector<PxyPoint>& points);

// Reads the numbers of a points file one after the other, across commas and line ends.
// Every failure throws PlotFailure with a sentence naming the file and what is wrong.
class PointsFileReader {
public:
    // Reads `fileName` in the program folder: the lines this program last wrote there, or the
    // file itself when this program has written none; throws when it cannot be opened.
    explicit PointsFileReader(const std::string& fileName);

    // The next number as a 32-bit value; throws at the end of the file, on an item that is
    // not a number, and on a number too large for 32 bits.
    float nextSingle();
    // The next number as a count from `least` to `maximum` (a fraction rounds half to even).
    int nextCount(int maximum, int least = 1);

private:
    double nextNumber();
    bool nextItem(std::string& item);

    std::string m_fileName;
    std::string m_content;
    std::size_t m_position = 0;
};

} // namespace calvex::services
