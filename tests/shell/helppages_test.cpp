#include "shell/helptopics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace calvex::shell {
namespace {

namespace fs = std::filesystem;

const fs::path sourceRoot = CALVEX_SOURCE_DIR;
const fs::path helpFolder = sourceRoot / "data" / "help";
// The folders whose code is the program (the tests and the build tools show the user nothing).
const char* const programFolders[] = {"app", "core", "services", "widgets", "shell", "pure", "mixture", "activity", "unifac"};
// Italic texts of the pages that the program does not show: example names from the database.
const std::set<std::string> notProgramTexts = {"n-hexane", "carbon dioxide"};
const std::string ellipsis = "…";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Text split at every run of line breaks, each line trimmed of its blanks: a message box shows
// one line per part, and the page writes each break as <br>.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            if (!trimmed(line).empty())
                lines.push_back(trimmed(line));
            line.clear();
        } else {
            line += text[i];
        }
    }
    return lines;
}

char escaped(char c)
{
    switch (c) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return c;
    }
}

// The string literals of one C++ source, adjacent ones joined as the compiler joins them.
std::vector<std::string> literalsOf(const std::string& code)
{
    std::vector<std::string> literals;
    bool joinable = false; // only blanks and comments since the last literal's end
    std::size_t i = 0;
    const auto skipPast = [&](const std::string& end) {
        const std::size_t at = code.find(end, i);
        i = at == std::string::npos ? code.size() : at + end.size();
    };
    while (i < code.size()) {
        const char c = code[i];
        if (code.compare(i, 2, "//") == 0) {
            skipPast("\n");
        } else if (code.compare(i, 2, "/*") == 0) {
            skipPast("*/");
        } else if (c == '\'' && !(i > 0 && std::isalnum(static_cast<unsigned char>(code[i - 1])))) {
            for (++i; i < code.size() && code[i] != '\''; ++i)
                i += code[i] == '\\';
            ++i;
            joinable = false;
        } else if (c == '"') {
            std::string text;
            if (i > 0 && code[i - 1] == 'R') {
                const std::size_t open = code.find('(', i);
                const std::string close = ")" + code.substr(i + 1, open - i - 1) + "\"";
                i = open + 1;
                skipPast(close);
                text = code.substr(open + 1, i - close.size() - open - 1);
            } else {
                for (++i; i < code.size() && code[i] != '"'; ++i)
                    text += code[i] == '\\' ? escaped(code[++i]) : code[i];
                ++i;
            }
            if (joinable && !literals.empty())
                literals.back() += text;
            else
                literals.push_back(text);
            joinable = true;
        } else {
            joinable = joinable && std::isspace(static_cast<unsigned char>(c));
            ++i;
        }
    }
    return literals;
}

// Every line of every text the program can show: the lines of its string literals.
const std::set<std::string>& programLines()
{
    static const std::set<std::string> lines = [] {
        std::set<std::string> all;
        for (const char* folder : programFolders)
            for (const auto& entry : fs::recursive_directory_iterator(sourceRoot / folder)) {
                const std::string extension = entry.path().extension().string();
                if (extension != ".cpp" && extension != ".h")
                    continue;
                for (const std::string& literal : literalsOf(readFile(entry.path())))
                    for (const std::string& line : linesOf(literal))
                        all.insert(line);
            }
        return all;
    }();
    return lines;
}

// A program line with Qt's %1 … %9 taking any text there.
bool lineShows(const std::string& programLine, const std::string& line)
{
    if (programLine.find('%') == std::string::npos)
        return programLine == line;
    const std::string literal = std::regex_replace(programLine, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
    return std::regex_match(line, std::regex(std::regex_replace(literal, std::regex("%[1-9]"), ".+")));
}

// A quote's HTML as the reader sees it: tags gone but <br> a line break, entities decoded,
// every run of source blanks one blank, and each &nbsp; a blank of its own.
std::string shownText(std::string html)
{
    html = std::regex_replace(html, std::regex("<br\\s*/?>"), "\x01");
    html = std::regex_replace(html, std::regex("<[^>]*>"), "");
    html = std::regex_replace(html, std::regex("[ \\t\\r\\n]+"), " ");
    for (const auto& [from, to] : {std::pair{"\x01", "\n"}, {"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"},
                                   {"&quot;", "\""}, {"&amp;", "&"}})
        html = std::regex_replace(html, std::regex(from), to);
    return html;
}

// Whether the program can show the quoted text: without "…" each of its lines is a whole line
// of a program text; "…" stands for what the program fills in or the page leaves out, and then
// each part between them is found inside a program line.
bool programShows(const std::string& quote)
{
    const auto found = [](const std::string& part, bool whole) {
        return std::any_of(programLines().begin(), programLines().end(), [&](const std::string& programLine) {
            return whole ? lineShows(programLine, part) : programLine.find(part) != std::string::npos;
        });
    };
    const bool whole = quote.find(ellipsis) == std::string::npos;
    for (const std::string& line : linesOf(std::regex_replace(quote, std::regex(ellipsis), "\n")))
        if (!found(line, whole))
            return false;
    return true;
}

std::vector<std::string> matches(const std::string& text, const std::regex& pattern, int group = 1)
{
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[group].str());
    return found;
}

std::vector<std::string> helpFiles()
{
    std::vector<std::string> pages;
    for (const auto& entry : fs::directory_iterator(helpFolder))
        if (entry.path().extension() == ".htm")
            pages.push_back(entry.path().filename().string());
    std::sort(pages.begin(), pages.end());
    return pages;
}

// A page marks what the program shows in italics (messages, prompts, captions, report words) or,
// outside <code> (file contents and typed input), in double quotes.
std::vector<std::string> quotesOf(const std::string& html)
{
    std::vector<std::string> quotes;
    for (const std::string& italic : matches(html, std::regex("<i>([\\s\\S]*?)</i>")))
        quotes.push_back(shownText(italic));
    const std::string prose = shownText(std::regex_replace(html, std::regex("<code>[\\s\\S]*?</code>|<[^>]*>"), ""));
    for (const std::string& quoted : matches(prose, std::regex("(?:\"|“)(.*?)(?:\"|”)")))
        quotes.push_back(quoted);
    return quotes;
}

TEST(HelpPages, TheQuoteRuleTellsProgramTextsFromOthers)
{
    const struct {
        const char* html;
        bool shown;
    } rows[] = {
        {"error in Psatiteration", true},
        {"error in Psatcal", false},                  // no such message
        {"error in Zca", false},                      // a part of a message needs "…"
        {"error in …", true},                         // then a part is enough
        {"Bubble&nbsp; calculation did not converge", true},
        {"Bubble calculation did not converge", false}, // the message has two blanks
        {"invalid molfraction of … value type number between 0 and 1", true},
        {"For Component 3", true},                    // %1 in the caption
        {"T is greater than Tc of one of conponent<br>so no calculation possible", true},
        {"T is greater than Tc of one of conponent so no calculation possible", false}, // two lines
    };
    for (const auto& row : rows)
        EXPECT_EQ(programShows(shownText(row.html)), row.shown) << row.html;
}

TEST(HelpPages, EveryQuotedTextIsOneTheProgramShows)
{
    for (const std::string& page : helpFiles())
        for (const std::string& quote : quotesOf(readFile(helpFolder / page)))
            EXPECT_TRUE(notProgramTexts.count(quote) || programShows(quote)) << page << ": \"" << quote << "\"";
}

TEST(HelpPages, EveryLinkLeadsToAPageAndItsAnchor)
{
    const std::regex link("href=\"([^\"#:]*)(#([^\"]*))?\"");
    for (const std::string& page : helpFiles()) {
        const std::string html = readFile(helpFolder / page);
        for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator(); ++it) {
            const std::string target = (*it)[1].str().empty() ? page : (*it)[1].str();
            ASSERT_TRUE(fs::exists(helpFolder / target)) << page << " links to " << target;
            const std::string anchor = (*it)[3].str();
            if (anchor.empty())
                continue;
            const std::vector<std::string> ids =
                matches(readFile(helpFolder / target), std::regex("(id|name)=\"([^\"]*)\""), 2);
            EXPECT_NE(std::find(ids.begin(), ids.end(), anchor), ids.end()) << page << " links to " << target << "#" << anchor;
        }
    }
}

TEST(HelpPages, EveryPageIsInTheTopicTreeAndEveryTopicHasItsPage)
{
    std::vector<std::string> tree = helpPageNames();
    std::sort(tree.begin(), tree.end());
    EXPECT_EQ(helpFiles(), tree);
}

} // namespace
} // namespace calvex::shell
