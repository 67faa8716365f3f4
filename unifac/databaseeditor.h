#pragma once
// The component database editor fDatabase and its rename dialog fRename. Every change acts at
// once on the in-memory component list; only Exit (and Escape, and the window frame) writes it
// to DATABASE.UFC, and a save that fails keeps the editor open.

#include "unifac/componentbuilder.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace calvex::unifac {

class fRename : public NameDialog {
    Q_OBJECT

public:
    explicit fRename(QWidget* parent = nullptr);
    void Form_Load();

    QLabel* OldName() const { return m_oldName; }

private:
    // A renamed component keeps the blanks typed before its name.
    std::string nameAsStored() const override;

    QLabel* m_oldName;
};

class fDatabase : public UnifacDialog {
    Q_OBJECT

public:
    explicit fDatabase(QWidget* parent = nullptr);

    // Confirming the editor is its Exit.
    void confirm() override { Exit_Click(); }

    void Form_Load();
    void UpdateDBList();
    void ComponentList_Click();
    void Add_Click();
    void Edit_Click();
    void Rename_Click();
    void Delete_Click();
    void MoveUp_Click();
    void MoveDown_Click();
    void Reset_Click();
    void Exit_Click();

    QListWidget* ComponentList() const { return m_list; }
    QLabel* Preview() const { return m_preview; }
    QPushButton* button(const char* name) const;

private:
    // Esc and the frame are Exit; once a save has failed they close the editor unsaved, the
    // list kept in memory, so a folder that cannot be written never traps the user here.
    void cancel() override;
    void setListButtonsEnabled(bool enabled);
    int selectedRecord() const;
    void select(int item);
    void replaceItem(int item, int record);

    QListWidget* m_list;
    QLabel* m_preview;
    bool m_saveFailed = false;
};

} // namespace calvex::unifac
