#include "services/resultformat.h"

#include "services/filereplacement.h"
#include "services/programfolder.h"
#include "services/ui.h"

#include <filesystem>
#include <optional>

namespace calvex::services {
namespace {

const char* const placeholderWord = "variable";
const char* const msgFileNotFound = "File not found";
const char* const msgTemplateUnreadable = "Error in data replacement file finding so exiting";
const char* const msgReplacement = "Error in data replacement so exiting";
const char* const msgWriting = "Error in  making result file so exiting";

ReportPresenter& presenter()
{
    static ReportPresenter instance;
    return instance;
}

// The page as result.htm holds it.
std::string pageBytes(const std::string& page) { return page + "\r\n"; }

bool writePage(const std::string& bytes)
{
    const std::optional<std::filesystem::path> page = programFileToWrite(resultPageName);
    return page && !writeReplacing(*page, bytes);
}

ReportOutcome failed(const std::string& message)
{
    ReportOutcome outcome;
    outcome.failure = message;
    outcome.page = pageBytes(failurePage(message));
    outcome.pageInFile = writePage(outcome.page);
    return outcome;
}

} // namespace

void ResultFormat::LoadTemplate(const std::string& templatePath)
{
    m_text.clear();
    m_selectionStart = m_selectionLength = m_caret = 0;
    if (templatePath.empty()) {
        ui().message(msgFileNotFound);
        return;
    }
    std::optional<std::string> content = readWholeFile(templatePath, largestPage);
    if (!content) {
        ui().message(msgTemplateUnreadable);
        return;
    }
    m_text = std::move(*content);
}

void ResultFormat::FindPlaceholder()
{
    if (PlaceholderText.empty())
        return;
    // The search starts at the caret, so a value that itself holds the word is never taken
    // for a placeholder of the template.
    const std::size_t found = m_text.find(PlaceholderText, m_caret);
    if (found == std::string::npos)
        return;
    m_selectionStart = found;
    m_selectionLength = PlaceholderText.size();
}

void ResultFormat::ReplaceSelection()
{
    const std::size_t start = m_selectionLength > 0 ? m_selectionStart : m_caret;
    m_text.replace(start, m_selectionLength, ReplacementText);
    m_caret = start + ReplacementText.size();
    m_selectionStart = m_caret;
    m_selectionLength = 0;
}

bool ResultFormat::WriteResultFile()
{
    if (!writePage(pageBytes(m_text))) {
        ui().message(msgWriting);
        return false;
    }
    return true;
}

ReportOutcome MakeResultFile(int count, ResultLines& values, const std::string& templatePath)
{
    ResultFormat format;
    format.LoadTemplate(templatePath);
    for (int i = 1; i <= count; ++i) {
        if (static_cast<std::size_t>(i) >= values.size()) {
            ui().message(msgReplacement);
            return failed(msgReplacement);
        }
        format.ReplacementText = htmlEscaped(values[i]);
        format.PlaceholderText = placeholderWord;
        format.FindPlaceholder();
        format.ReplaceSelection();
        values[i].clear();
    }
    if (!format.WriteResultFile())
        return failed(msgWriting);
    ReportOutcome outcome;
    outcome.written = outcome.pageInFile = true;
    outcome.page = pageBytes(format.text());
    return outcome;
}

std::string failurePage(const std::string& message)
{
    return "<html><head><meta charset=\"utf-8\"><title>Report not made</title></head><body>"
           "<h2>The report could not be made</h2><p>" +
           htmlEscaped(message) +
           "</p><p>No report of this calculation is shown; nothing of an earlier calculation is "
           "shown in its place.</p></body></html>";
}

std::string htmlEscaped(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped.push_back(c);
        }
    }
    return escaped;
}

void setReportPresenter(ReportPresenter newPresenter) { presenter() = std::move(newPresenter); }

ReportOutcome ShowResultReport(int count, ResultLines& values, const std::string& templateName, int resultKind,
                               const std::function<void()>& beforeShowing)
{
    ReportOutcome outcome = MakeResultFile(count, values, programFile(templateName).string());
    if (presenter())
        presenter()(resultKind, outcome, beforeShowing);
    return outcome;
}

} // namespace calvex::services
