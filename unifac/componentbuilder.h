#pragma once
// The component builder: the name step fUName and the subgroup step fBuilder, run as a wizard
// by the calculator's Define and the editor's Add, and the subgroup step alone by the editor's
// Edit. The steps report through their Tag ("-1" no answer yet, "0" Cancel, "1" Next or Back,
// "2" finished) and close by hiding, so they keep their contents between showings.

#include "services/ui.h"
#include "unifac/builderrules.h"

#include <QDialog>

#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QBoxLayout;
class QToolButton;

namespace calvex::unifac {

// Centres a dialog over the UNIFAC calculator window (over `fallback` when it is not loaded).
void centreOverCalculator(QWidget& dialog, const QWidget* fallback);

// A bold label for a component's name, which shows the name as typed: markup in it is text.
QLabel* nameLabel(QWidget* parent, const char* objectName);

// A modal step of the UNIFAC dialogs: run through ui().showModal, confirmed by its default button.
class UnifacDialog : public QDialog, public services::ModalDialog {
    Q_OBJECT

public:
    std::string dialogName() const override { return objectName().toStdString(); }
    int fieldCount() const override { return 0; }
    std::string fieldText(int) const override { return {}; }
    void typeFieldText(int, const std::string&) override {}
    void runModal() override { exec(); }
    // Escape and the window frame act as the dialog's Cancel.
    void reject() override { cancel(); }

    QString Tag = QStringLiteral("-1");

protected:
    UnifacDialog(QWidget* parent, const char* name, const QString& caption);
    virtual void cancel() = 0;
    // Sets the tag and hides the dialog, which ends its modal display.
    void answer(const char* tag);
};

// A step that asks a component's name in its box NewName: Next (Command2) checks the name as
// it will be stored and answers "1", Cancel (Command1) answers "0".
class NameDialog : public UnifacDialog {
    Q_OBJECT

public:
    int fieldCount() const override { return 1; }
    std::string fieldText(int index) const override;
    void typeFieldText(int index, const std::string& text) override;
    void confirm() override { Command2_Click(); }

    void Command2_Click();
    void Command1_Click() { answer("0"); }

    QLineEdit* NewName() const { return m_newName; }

protected:
    NameDialog(QWidget* parent, const char* name, const QString& caption);
    // The typed name as the list will store it.
    virtual std::string nameAsStored() const = 0;
    // Cancel and Next at the bottom right, Next the default button.
    void addButtons(QBoxLayout& layout);

private:
    void cancel() override { Command1_Click(); }

    QLineEdit* m_newName;
};

class fUName : public NameDialog {
    Q_OBJECT

public:
    explicit fUName(QWidget* parent = nullptr);
    void Form_Load();

private:
    // The subgroup step stores the name without its leading and trailing blanks.
    std::string nameAsStored() const override;
};

class fBuilder : public UnifacDialog {
    Q_OBJECT

public:
    explicit fBuilder(QWidget* parent = nullptr);

    // The count boxes of the rows.
    int fieldCount() const override { return builderRowCount; }
    std::string fieldText(int index) const override;
    void typeFieldText(int index, const std::string& text) override;
    void confirm() override { Command3_Click(); }

    void Form_Load();
    // Opens the step on an existing component: record `record`, its stored name and its pairs.
    void editComponent(int record, const QString& storedName, const std::vector<GroupPair>& pairs);

    void UpdateRQ();
    void SelectSub(int index);
    void DeselectLoc(int row);
    void List1_Click();
    void NumSub_LostFocus(int row);
    void Spin_SpinDown(int row);
    void Spin_SpinUp(int row);
    void Command3_Click();
    void Command2_Click() { answer("1"); }
    void Command1_Click() { answer("0"); }

    QLabel* CompName() const { return m_compName; }
    QListWidget* List1() const { return m_list; }
    QLabel* SubNum(int row) const { return m_rows.at(row).subNum; }
    QLabel* GroupName(int row) const { return m_rows.at(row).groupName; }
    QLabel* MainNum(int row) const { return m_rows.at(row).mainNum; }
    QLabel* R(int row) const { return m_rows.at(row).r; }
    QLabel* Q(int row) const { return m_rows.at(row).q; }
    QLineEdit* NumSub(int row) const { return m_rows.at(row).numSub; }
    QWidget* Spin(int row) const { return m_rows.at(row).spin; }
    QLabel* TotalR() const { return m_totalR; }
    QLabel* TotalQ() const { return m_totalQ; }
    QPushButton* Command1() const { return m_cancel; }
    QPushButton* Command2() const { return m_back; }
    QPushButton* Command3() const { return m_next; }
    int rowsInUse() const { return m_inUse; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QLabel* subNum;
        QLabel* groupName;
        QLabel* mainNum;
        QLabel* r;
        QLabel* q;
        QLineEdit* numSub;
        QWidget* spin;
    };

    void cancel() override { Command1_Click(); }
    void fillRow(int row, int subgroup, const QString& count);
    void freeRow(int row);
    std::vector<BuilderRow> builderRows() const;

    QLabel* m_compName;
    QListWidget* m_list;
    std::array<Row, builderRowCount> m_rows{};
    QLabel* m_totalR;
    QLabel* m_totalQ;
    QPushButton* m_next;
    QPushButton* m_back;
    QPushButton* m_cancel;
    int m_inUse = 0;
    int m_editRecord = 0; // 0: a new component
};

// Runs the name step and the subgroup step as a wizard over `owner`; true when a component was
// added to the list.
bool runComponentWizard(QWidget* owner);

} // namespace calvex::unifac
