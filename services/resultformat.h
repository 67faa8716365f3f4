#pragma once
// The report writer: a template whose "variable" placeholders are replaced, in order, by a
// calculator's result values, written as the report page result.htm in the program folder.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace calvex::services {

// The most a template, the report page or a help page may hold: over a thousand times the
// largest of them (12 KB), room for a report of names as long as a text box takes.
inline constexpr std::size_t largestPage = std::size_t{16} << 20;

// A calculator's report values: element i replaces the i-th placeholder; element 0 is unused.
using ResultLines = std::vector<std::string>;

// What became of one report.
struct ReportOutcome {
    bool written = false; // result.htm holds the page of this report
    std::string failure;  // the message shown when the report could not be made
    std::string page;     // the page made: the report's, or the one saying it could not be made
    bool pageInFile = false; // result.htm holds `page` (another copy of the program may rewrite it
                             // at any moment, so the viewer shows `page` itself)
};

// The off-screen work buffer: a text with a selection and a caret, as in an edit box.
class ResultFormat {
public:
    std::string PlaceholderText;
    std::string ReplacementText;

    // Empties the buffer and reads the whole template into it; failures show their message.
    void LoadTemplate(const std::string& templatePath);
    // Selects the next placeholder after the caret, if there is one.
    void FindPlaceholder();
    // Replaces the selection (or inserts at the caret) by ReplacementText.
    void ReplaceSelection();
    // Writes the buffer and CR LF to result.htm; false (after its message) when it cannot.
    bool WriteResultFile();

    const std::string& text() const { return m_text; }

private:
    std::string m_text;
    std::size_t m_selectionStart = 0;
    std::size_t m_selectionLength = 0;
    std::size_t m_caret = 0;
};

// Fills the template with values(1..count), empties each value it places, writes result.htm.
// When the page cannot be made, result.htm holds a short page saying so instead. The page
// replaces result.htm whole or not at all.
ReportOutcome MakeResultFile(int count, ResultLines& values, const std::string& templatePath);

// The page shown in place of a report that could not be made.
std::string failurePage(const std::string& message);

// HTML-escapes a value so that a typed name with < or & cannot break the page.
std::string htmlEscaped(const std::string& text);

// Shows a report in the result viewer: installed by the viewer, called by ShowResultReport.
// `beforeShowing`, when set, runs once the viewer holds the page and before it is shown (the
// UNIFAC window closes itself there).
using ReportPresenter =
    std::function<void(int resultKind, const ReportOutcome& outcome, const std::function<void()>& beforeShowing)>;
void setReportPresenter(ReportPresenter presenter);

// The steps every reporting calculator takes: make the page from the template of that name in
// the program folder, then hand the ResultKind and the outcome to the viewer.
ReportOutcome ShowResultReport(int count, ResultLines& values, const std::string& templateName, int resultKind,
                               const std::function<void()>& beforeShowing = {});

} // namespace calvex::services
