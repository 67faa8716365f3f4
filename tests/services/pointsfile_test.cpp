#include "services/pointsfile.h"

#include "tests/services/goldenpoints.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace calvex::services {
namespace {

using testing::goldenText;
using testing::ScratchFolder;

// A number written with 7 significant digits reads back within half a unit of its 7th digit.
constexpr double sevenDigits = 5e-7;

void expectNear7(double expected, float read, const char* what, int row)
{
    const double scale = std::max(std::fabs(expected), double{std::numeric_limits<float>::min()});
    EXPECT_LE(std::fabs(read - expected) / scale, sevenDigits) << what << " of row " << row;
}

TEST(SweepPointsFile, SaturationLayoutIsWrittenByteExact)
{
    ScratchFolder folder;
    PointsFileWriter writer("points1.dat");
    ASSERT_TRUE(writer.isOpen());
    EXPECT_TRUE(writer.writeLine({20}));
    EXPECT_TRUE(writer.writeLine({1}));
    for (const auto& row : testing::saturationRows())
        EXPECT_TRUE(writer.writeLine({row.T_K, row.psat_bar}));
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(folder.read("points1.dat"), goldenText("sweep_one_curve.dat"));
}

TEST(SweepPointsFile, TwoCurveLayoutIsWrittenByteExact)
{
    ScratchFolder folder;
    PointsFileWriter writer("points2.dat");
    writer.writeLine({20});
    writer.writeLine({2});
    for (const auto& row : testing::enthalpyRows())
        EXPECT_TRUE(writer.writeLine({row.p_bar, row.H, row.S}));
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(folder.read("points2.dat"), goldenText("sweep_two_curves.dat"));
}

TEST(SweepPointsFile, ReadsBackWhatWasWritten)
{
    ScratchFolder folder;
    folder.write("points2.dat", goldenText("sweep_two_curves.dat"));
    PointsFileReader reader("points2.dat");
    EXPECT_EQ(reader.nextCount(32767), 20);
    EXPECT_EQ(reader.nextCount(32767), 2);
    int row = 0;
    for (const auto& expected : testing::enthalpyRows()) {
        ++row;
        expectNear7(expected.p_bar, reader.nextSingle(), "p", row);
        expectNear7(expected.H, reader.nextSingle(), "H", row);
        expectNear7(expected.S, reader.nextSingle(), "S", row);
    }
    EXPECT_THROW(reader.nextSingle(), PlotFailure);
}

TEST(VlePointsFile, TxyLayoutIsWrittenByteExact)
{
    ScratchFolder folder;
    EXPECT_TRUE(writeTxyPointsFile(testing::txyPoints()));
    EXPECT_EQ(folder.read("points1.dat"), goldenText("txy_points.dat"));
}

TEST(VlePointsFile, PxyLayoutWritesThePressureWithFifteenDigits)
{
    ScratchFolder folder;
    EXPECT_TRUE(writePxyPointsFile(testing::pxyPoints()));
    EXPECT_EQ(folder.read("points1.dat"), goldenText("pxy_points.dat"));
}

TEST(VlePointsFile, PxyReadsBackWhatWasWritten)
{
    ScratchFolder folder;
    folder.write("points1.dat", goldenText("pxy_points.dat"));
    PointsFileReader reader("points1.dat");
    int row = 0;
    for (const auto& point : testing::pxyPoints()) {
        ++row;
        expectNear7(point.x1, reader.nextSingle(), "x1", row);
        expectNear7(point.P_kPa, reader.nextSingle(), "P", row);
        expectNear7(point.y1, reader.nextSingle(), "y1", row);
        expectNear7(point.P_kPa, reader.nextSingle(), "P again", row);
    }
}

TEST(PointsFileWriter, RefusesAPointWithoutAFiniteValue)
{
    ScratchFolder folder;
    PointsFileWriter writer("points1.dat");
    EXPECT_TRUE(writer.writeLine({1.5f, 2.0}));
    EXPECT_FALSE(writer.writeLine({3.0f, std::nan("")}));
    EXPECT_FALSE(writer.writeLine({std::numeric_limits<float>::infinity(), 1.0}));
    writer.close();
    EXPECT_EQ(folder.read("points1.dat"), "1.5,2\r\n");
}

TEST(PointsFileWriter, VleWriterStopsAtAPointWithoutAValue)
{
    ScratchFolder folder;
    auto points = testing::txyPoints();
    points[2].T_K = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(writeTxyPointsFile(points));
    EXPECT_EQ(folder.read("points1.dat"), "0,383.78,0,383.78\r\n0.05,382.28,0.0952381,382.28\r\n");
}

TEST(PointsFileWriter, ReportsAFolderThatCannotBeWritten)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.file("points1.dat"));
    PointsFileWriter writer("points1.dat");
    EXPECT_FALSE(writer.isOpen());
    EXPECT_FALSE(writer.writeLine({1}));
    EXPECT_FALSE(writer.close());
}

struct BadFile {
    const char* name;
    const char* content; // nullptr: no file at all
};

void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }

class PointsFileReaderFailures : public ::testing::TestWithParam<BadFile> {};

TEST_P(PointsFileReaderFailures, ThrowAPlotFailureNamingTheFile)
{
    ScratchFolder folder;
    if (GetParam().content)
        folder.write("points1.dat", GetParam().content);
    try {
        PointsFileReader reader("points1.dat");
        reader.nextCount(32767);
        reader.nextCount(16383);
        for (int i = 0; i < 4; ++i)
            reader.nextSingle();
        FAIL() << "read without a failure";
    } catch (const PlotFailure& failure) {
        EXPECT_NE(std::string(failure.what()).find("points1.dat"), std::string::npos) << failure.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PointsFileReaderFailures,
                         ::testing::Values(BadFile{"Missing", nullptr}, BadFile{"Empty", ""},
                                           BadFile{"Short", "2\r\n1\r\n300,1\r\n"},
                                           BadFile{"Text", "2\r\n1\r\n300,abc\r\n400,2\r\n"},
                                           BadFile{"EmptyItem", "2\r\n1\r\n300,,1\r\n400,2\r\n"},
                                           BadFile{"ZeroRows", "0\r\n1\r\n"},
                                           BadFile{"NegativeCurves", "2\r\n-1\r\n"},
                                           BadFile{"RowsBeyond16Bits", "40000\r\n1\r\n"},
                                           BadFile{"TooLargeForSingle", "2\r\n1\r\n1E+39,1\r\n1,1\r\n"},
                                           BadFile{"NotANumber", "2\r\n1\r\nnan,1\r\n1,1\r\n"},
                                           BadFile{"Infinite", "2\r\n1\r\ninf,1\r\n1,1\r\n"}));

TEST(PointsFileReader, TakesLineEndsOfEitherKindAndBlankLines)
{
    ScratchFolder folder;
    folder.write("points1.dat", "2\n1\n\r\n 300 , 1.5E-05\n+400,.5\n");
    PointsFileReader reader("points1.dat");
    EXPECT_EQ(reader.nextCount(32767), 2);
    EXPECT_EQ(reader.nextCount(32767), 1);
    EXPECT_FLOAT_EQ(reader.nextSingle(), 300.0f);
    EXPECT_FLOAT_EQ(reader.nextSingle(), 1.5e-5f);
    EXPECT_FLOAT_EQ(reader.nextSingle(), 400.0f);
    EXPECT_FLOAT_EQ(reader.nextSingle(), 0.5f);
}

// What a points file that another copy of the program rewrites reads as.
std::string sweepOf(int rows, int value)
{
    std::string text = std::to_string(rows) + "\r\n1\r\n";
    for (int row = 0; row < rows; ++row)
        text += std::to_string(value) + "," + std::to_string(value) + "\r\n";
    return text;
}

// Reads a file of sweepOf(): the value all its numbers hold, 0 where they differ.
int sweepValue(const std::string& fileName)
{
    PointsFileReader reader(fileName);
    const int rows = reader.nextCount(32767);
    EXPECT_EQ(reader.nextCount(32767), 1);
    const float value = reader.nextSingle();
    for (int i = 1; i < 2 * rows; ++i)
        if (reader.nextSingle() != value)
            return 0;
    return static_cast<int>(value);
}

TEST(PointsFileReader, ReadsWhatThisProgramWroteWhateverAnotherCopyWroteSince)
{
    ScratchFolder folder;
    folder.write("points2.dat", sweepOf(3, 7));
    EXPECT_EQ(sweepValue("points2.dat"), 7) << "a file this program did not write is read as it is";
    PointsFileWriter writer("points2.dat");
    writer.writeLine({3});
    writer.writeLine({1});
    for (int row = 0; row < 3; ++row)
        writer.writeLine({1, 1});
    ASSERT_TRUE(writer.close());
    // The other copy writes its own file and renames it into place, as it does with result.htm.
    folder.write("other.tmp", sweepOf(3, 2));
    std::filesystem::rename(folder.file("other.tmp"), folder.file("points2.dat"));
    EXPECT_EQ(sweepValue("points2.dat"), 1);
}

// Two copies of the program rewrite one points file as fast as they can while a third reads
// it: every read finds one copy's file whole.
TEST(PointsFileWriter, TwoWritersAtOnceLeaveEveryReadWhole)
{
    ScratchFolder folder;
    constexpr int rows = 2000;
    constexpr int rewrites = 200;
    folder.write("points1.dat", sweepOf(rows, 1));
    std::vector<pid_t> writers;
    for (const int value : {1, 2}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool written = true;
            for (int i = 0; i < rewrites; ++i) {
                PointsFileWriter writer("points1.dat");
                written = written && writer.writeLine({rows}) && writer.writeLine({1});
                for (int row = 0; row < rows; ++row)
                    written = written && writer.writeLine({value, value});
                written = writer.close() && written;
            }
            ::_exit(written ? 0 : 1);
        }
        writers.push_back(child);
    }
    int torn = 0;
    int reads = 0;
    std::vector<int> statuses(writers.size(), -1);
    for (pid_t ended = 0; ended == 0; ++reads) {
        try {
            torn += sweepValue("points1.dat") == 0 ? 1 : 0;
        } catch (const PlotFailure&) {
            ++torn;
        }
        ended = ::waitpid(writers[0], &statuses[0], WNOHANG);
    }
    ASSERT_EQ(::waitpid(writers[1], &statuses[1], 0), writers[1]);
    for (const int status : statuses)
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every write succeeded";
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
}

} // namespace
} // namespace calvex::services
