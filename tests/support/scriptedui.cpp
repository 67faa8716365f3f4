#include "tests/support/scriptedui.h"

#include <gtest/gtest.h>

namespace calvex::testing {

ScriptedUi::ScriptedUi() { m_previous = &services::ui(); services::setUi(this); }

ScriptedUi::~ScriptedUi()
{
    services::setUi(m_previous);
    EXPECT_TRUE(m_script.empty()) << m_script.size() << " scripted answer(s) were never asked for";
}

ScriptedUi& ScriptedUi::answer(const std::string& text)
{
    m_script.emplace_back(text);
    return *this;
}

ScriptedUi& ScriptedUi::answerYesNo(bool yes)
{
    m_script.emplace_back(yes);
    return *this;
}

ScriptedUi& ScriptedUi::onDialog(DialogScript script)
{
    m_script.emplace_back(std::move(script));
    return *this;
}

ScriptedUi& ScriptedUi::whileShowingMessages(std::function<void(const std::string&)> inside)
{
    m_insideMessages = std::move(inside);
    return *this;
}

void ScriptedUi::message(const std::string& text, const std::string& title) { message(text, title, Icon::None); }

void ScriptedUi::message(const std::string& text, const std::string& title, Icon icon)
{
    m_events.push_back({UiEvent::Kind::Message, text, title, icon});
    if (m_insideMessages)
        m_insideMessages(text);
}

std::string ScriptedUi::ask(const std::string& prompt, const std::string& title, const std::string&)
{
    m_events.push_back({UiEvent::Kind::Prompt, prompt, title});
    if (m_script.empty() || !std::holds_alternative<std::string>(m_script.front())) {
        ADD_FAILURE() << "unexpected prompt: " << prompt;
        return {};
    }
    std::string reply = std::get<std::string>(m_script.front());
    m_script.pop_front();
    return reply;
}

bool ScriptedUi::yesNo(const std::string& text, const std::string& title, Question)
{
    m_events.push_back({UiEvent::Kind::Question, text, title});
    if (m_script.empty() || !std::holds_alternative<bool>(m_script.front())) {
        ADD_FAILURE() << "unexpected question: " << text;
        return false;
    }
    const bool yes = std::get<bool>(m_script.front());
    m_script.pop_front();
    return yes;
}

void ScriptedUi::showModal(services::ModalDialog& dialog)
{
    m_events.push_back({UiEvent::Kind::Modal, dialog.dialogName(), {}});
    if (m_script.empty() || !std::holds_alternative<DialogScript>(m_script.front())) {
        ADD_FAILURE() << "unexpected dialog: " << dialog.dialogName();
        return;
    }
    DialogScript script = std::get<DialogScript>(m_script.front());
    m_script.pop_front();
    script(dialog);
}

std::vector<std::string> ScriptedUi::textsOf(UiEvent::Kind kind) const
{
    std::vector<std::string> texts;
    for (const auto& event : m_events)
        if (event.kind == kind)
            texts.push_back(event.text);
    return texts;
}

std::vector<std::string> ScriptedUi::messages() const { return textsOf(UiEvent::Kind::Message); }

std::vector<std::string> ScriptedUi::prompts() const { return textsOf(UiEvent::Kind::Prompt); }

std::vector<std::string> ScriptedUi::texts() const
{
    std::vector<std::string> all;
    for (const auto& event : m_events)
        all.push_back(event.text);
    return all;
}

void ScriptedUi::clear()
{
    m_script.clear();
    m_events.clear();
}

} // namespace calvex::testing
