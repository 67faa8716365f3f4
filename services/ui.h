#pragma once
// The one way the program talks to the user from inside a calculation: message boxes,
// input prompts, yes/no questions and modal dialogs. Computing code calls ui(); the
// program installs a Qt implementation at start, tests install a scripted one.

#include <string>

namespace calvex::services {

// A dialog the Ui runs modally. Real runs call runModal() (which blocks until the dialog
// hides itself); scripted runs fill the fields and confirm instead.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    virtual std::string dialogName() const = 0;
    virtual int fieldCount() const = 0;
    virtual std::string fieldText(int index) const = 0;
    // Types the text into the field as a user would, through its key filter.
    virtual void typeFieldText(int index, const std::string& text) = 0;
    virtual void confirm() = 0;
    virtual void runModal() = 0;
};

class Ui {
public:
    virtual ~Ui() = default;
    // An OK-only message box.
    virtual void message(const std::string& text, const std::string& title = {}) = 0;
    // The same with an icon; a Ui that shows no icons shows it as the plain message.
    enum class Icon { None, Information, Exclamation };
    virtual void message(const std::string& text, const std::string& title, Icon icon);
    // An input prompt: the typed answer, or the empty text for Cancel.
    virtual std::string ask(const std::string& prompt, const std::string& title = {},
                            const std::string& defaultText = {}) = 0;
    // A Yes/No message box: true for Yes. A plain question has no icon and Yes as its default
    // button; a warning has the exclamation icon and No as its default button.
    enum class Question { Plain, Warning };
    virtual bool yesNo(const std::string& text, const std::string& title = {}, Question kind = Question::Plain) = 0;
    virtual void showModal(ModalDialog& dialog) = 0;
};

// The Ui in force; the silent one until another is installed.
Ui& ui();
// The silent Ui: shows nothing, answers every prompt with the empty text (Cancel), every question
// with No, and runs no dialog.
Ui& silentUi();
// Installs `ui` (not owned); nullptr restores the silent one.
void setUi(Ui* ui);

// Installs a Ui for the lifetime of this object and restores the previous one after.
class ScopedUi {
public:
    explicit ScopedUi(Ui& ui);
    ~ScopedUi();
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;

private:
    Ui* m_previous;
};

} // namespace calvex::services
