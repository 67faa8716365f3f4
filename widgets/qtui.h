#pragma once
// The Ui on screen: Qt message boxes, input prompts and modal dialogs.

#include "services/ui.h"

namespace calvex::widgets {

class QtUi final : public services::Ui {
public:
    void message(const std::string& text, const std::string& title) override;
    void message(const std::string& text, const std::string& title, Icon icon) override;
    std::string ask(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    bool yesNo(const std::string& text, const std::string& title, Question kind) override;
    void showModal(services::ModalDialog& dialog) override;
};

} // namespace calvex::widgets
