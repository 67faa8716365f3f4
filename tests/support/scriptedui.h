#pragma once
// A Ui for tests: answers prompts, questions and modal dialogs from a script, in order, and
// records every text shown. An exchange the script did not expect fails the test.

#include "services/ui.h"

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace calvex::testing {

struct UiEvent {
    enum class Kind { Message, Prompt, Question, Modal };
    Kind kind;
    std::string text; // the message, prompt or question; the dialog's name for Modal
    std::string title;
    services::Ui::Icon icon = services::Ui::Icon::None;
};

class ScriptedUi final : public services::Ui {
public:
    using DialogScript = std::function<void(services::ModalDialog&)>;

    ScriptedUi();
    ~ScriptedUi() override;

    // Scripted answers, consumed in order by the next prompt, question or modal dialog.
    ScriptedUi& answer(const std::string& text);
    ScriptedUi& cancel() { return answer(""); }
    ScriptedUi& answerYes() { return answerYesNo(true); }
    ScriptedUi& answerNo() { return answerYesNo(false); }
    ScriptedUi& answerYesNo(bool yes);
    ScriptedUi& onDialog(DialogScript script);
    // From now on calls `inside` with the text of every message box while the box is shown: a
    // window test acts there as a user can while a box waits, running an event loop in it as a
    // real box does.
    ScriptedUi& whileShowingMessages(std::function<void(const std::string&)> inside);

    void message(const std::string& text, const std::string& title) override;
    void message(const std::string& text, const std::string& title, Icon icon) override;
    std::string ask(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    bool yesNo(const std::string& text, const std::string& title, Question kind) override;
    void showModal(services::ModalDialog& dialog) override;

    const std::vector<UiEvent>& events() const { return m_events; }
    // The texts of all message boxes, in order.
    std::vector<std::string> messages() const;
    // The texts of all prompts, in order.
    std::vector<std::string> prompts() const;
    // Every text shown (messages, prompts, questions, dialog names), in order.
    std::vector<std::string> texts() const;
    bool allAnswersUsed() const { return m_script.empty(); }
    void clear();

private:
    std::vector<std::string> textsOf(UiEvent::Kind kind) const;

    using Answer = std::variant<std::string, bool, DialogScript>;
    std::deque<Answer> m_script;
    std::vector<UiEvent> m_events;
    std::function<void(const std::string&)> m_insideMessages;
    services::Ui* m_previous = nullptr;
};

} // namespace calvex::testing
