#include "services/resultformat.h"

#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace calvex::services {
namespace {

using testing::ScratchFolder;
using testing::ScriptedUi;

ResultLines lines(std::initializer_list<std::string> values)
{
    ResultLines result{""};
    result.insert(result.end(), values);
    return result;
}

struct PlaceholderCase {
    const char* name;
    const char* templateText;
    std::vector<std::string> values;
    const char* page; // without the CR LF the writer appends
};

void PrintTo(const PlaceholderCase& c, std::ostream* os) { *os << c.name; }

class ReportWriterPlaceholders : public ::testing::TestWithParam<PlaceholderCase> {};

TEST_P(ReportWriterPlaceholders, FillsThePage)
{
    const PlaceholderCase& c = GetParam();
    ScratchFolder folder;
    ScriptedUi ui;
    folder.write("t.htm", c.templateText);
    ResultLines values{"unused"};
    values.insert(values.end(), c.values.begin(), c.values.end());
    values.push_back("above count");

    const ReportOutcome outcome =
        MakeResultFile(static_cast<int>(c.values.size()), values, folder.file("t.htm").string());

    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(folder.read("result.htm"), std::string(c.page) + "\r\n");
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(values[0], "unused");
    for (std::size_t i = 1; i <= c.values.size(); ++i)
        EXPECT_EQ(values[i], "") << i;
    EXPECT_EQ(values.back(), "above count");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportWriterPlaceholders,
    ::testing::Values(
        PlaceholderCase{"Exact", "<p>variable and variable</p>", {"1", "2"}, "<p>1 and 2</p>"},
        PlaceholderCase{"Fewer", "<p>variable|</p>", {"a", "b", "c"}, "<p>abc|</p>"},
        PlaceholderCase{"More", "variable variable variable", {"x"}, "x variable variable"},
        PlaceholderCase{"None", "<p>plain</p>", {"a", "b"}, "ab<p>plain</p>"},
        PlaceholderCase{"InsideWords", "variables;xvariable", {"1", "2"}, "1s;x2"},
        PlaceholderCase{"OtherCase", "Variable VARIABLE variable", {"1"}, "Variable VARIABLE 1"},
        PlaceholderCase{"EmptyValue", "[variable][variable]", {"", "z"}, "[][z]"},
        // A typed name holding the word does not shift the values after it.
        PlaceholderCase{"ValueHoldsTheWord", "A=variable B=variable C=variable", {"variable gas", "2", "3"},
                        "A=variable gas B=2 C=3"},
        PlaceholderCase{"ValueIsEscaped", "<td>variable</td>", {"a<b & \"c\">"},
                        "<td>a&lt;b &amp; &quot;c&quot;&gt;</td>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportWriter, EmptyTemplatePathWritesTheValuesAlone)
{
    ScratchFolder folder;
    ScriptedUi ui;
    ResultLines values = lines({"a", "b"});
    const ReportOutcome outcome = MakeResultFile(2, values, "");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"File not found"});
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(folder.read("result.htm"), "ab\r\n");
}

TEST(ReportWriter, MissingTemplateWritesTheValuesAlone)
{
    ScratchFolder folder;
    ScriptedUi ui;
    ResultLines values = lines({"a", "b"});
    MakeResultFile(2, values, folder.file("missing.htm").string());
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Error in data replacement file finding so exiting"});
    EXPECT_EQ(folder.read("result.htm"), "ab\r\n");
}

TEST(ReportWriter, ShortValuesNeverLeaveTheEarlierReportShowing)
{
    ScratchFolder folder;
    ScriptedUi ui;
    folder.write("t.htm", "variable variable variable");
    folder.write("result.htm", "the earlier report");
    ResultLines values = lines({"a", "b"});
    const ReportOutcome outcome = MakeResultFile(3, values, folder.file("t.htm").string());
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Error in data replacement so exiting"});
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.failure, "Error in data replacement so exiting");
    EXPECT_EQ(values[1], "");
    EXPECT_EQ(values[2], "");
    const std::string page = folder.read("result.htm");
    EXPECT_EQ(page.find("the earlier report"), std::string::npos);
    EXPECT_NE(page.find("Error in data replacement so exiting"), std::string::npos);
}

TEST(ReportWriter, UnwritablePageIsShownFromMemory)
{
    ScratchFolder folder;
    ScriptedUi ui;
    folder.write("t.htm", "variable");
    std::filesystem::create_directory(folder.file("result.htm")); // a folder cannot be opened as a file
    ResultLines values = lines({"a"});
    const ReportOutcome outcome = MakeResultFile(1, values, folder.file("t.htm").string());
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Error in  making result file so exiting"});
    EXPECT_FALSE(outcome.written);
    EXPECT_NE(outcome.page.find("Error in  making result file so exiting"), std::string::npos);
}

TEST(ReportWriter, ShowResultReportHandsTheKindAndOutcomeToTheViewer)
{
    ScratchFolder folder;
    ScriptedUi ui;
    folder.write("report.htm", "<b>variable</b>");
    int shownKind = 0;
    bool shownWritten = false;
    setReportPresenter([&](int kind, const ReportOutcome& outcome, const std::function<void()>&) {
        shownKind = kind;
        shownWritten = outcome.written;
    });
    ResultLines values = lines({"42"});
    ShowResultReport(1, values, "report.htm", 7);
    setReportPresenter(nullptr);
    EXPECT_EQ(shownKind, 7);
    EXPECT_TRUE(shownWritten);
    EXPECT_EQ(folder.read("result.htm"), "<b>42</b>\r\n");
}

} // namespace
} // namespace calvex::services
