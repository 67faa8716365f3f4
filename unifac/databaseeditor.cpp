#include "unifac/databaseeditor.h"

#include "services/programfolder.h"
#include "unifac/calculatorrules.h"
#include "unifac/componentfile.h"
#include "widgets/colours.h"
#include "widgets/spokennames.h"
#include "widgets/windowplacement.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace calvex::unifac {
namespace {

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

const std::string resetQuestion = std::string("Resetting the database will pernamently") + lineEnd +
                                  "clear the current database." + lineEnd + lineEnd +
                                  "Are you sure you want to reset the database?";

constexpr const char* listButtons[] = {"Edit", "Rename", "Delete", "MoveUp", "MoveDown"};

} // namespace

fRename::fRename(QWidget* parent) : NameDialog(parent, "fRename", QStringLiteral("Rename UNIFAC Component"))
{
    auto* layout = new QVBoxLayout(this);
    auto* names = new QGridLayout;
    names->addWidget(new QLabel(QStringLiteral("Previous Name:"), this), 0, 0);
    m_oldName = nameLabel(this, "OldName");
    names->addWidget(m_oldName, 0, 1);
    auto* newNameCaption = new QLabel(QStringLiteral("New Name:"), this);
    widgets::announceBy(*newNameCaption, *NewName());
    names->addWidget(newNameCaption, 1, 0);
    NewName()->setMaxLength(static_cast<int>(componentNameWidth));
    names->addWidget(NewName(), 1, 1);
    layout->addLayout(names);
    addButtons(*layout);
}

std::string fRename::nameAsStored() const { return NewName()->text().toStdString(); }

void fRename::Form_Load()
{
    adjustSize();
    if (parentWidget())
        widgets::centreOver(*this, *parentWidget());
}

fDatabase::fDatabase(QWidget* parent) : UnifacDialog(parent, "fDatabase", QStringLiteral("UNIFAC Component Database"))
{
    auto* layout = new QGridLayout(this);
    auto* title = new QLabel(QStringLiteral("Component Database"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont titleFont(QStringLiteral("Arial"), 12);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title, 0, 0, 1, 2);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ComponentList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(220, 260);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::Monospace);
    m_list->setFont(fixed);
    widgets::announceBy(*title, *m_list);
    layout->addWidget(m_list, 1, 0, 3, 1);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &fDatabase::ComponentList_Click);

    auto* buttons = new QVBoxLayout;
    struct Key { const char* name; const char* caption; void (fDatabase::*click)(); };
    for (const Key& key : {Key{"Add", "Add ...", &fDatabase::Add_Click}, Key{"Edit", "Edit ...", &fDatabase::Edit_Click},
                           Key{"Rename", "Rename ...", &fDatabase::Rename_Click},
                           Key{"Delete", "Delete ...", &fDatabase::Delete_Click},
                           Key{"Reset", "Reset Database ...", &fDatabase::Reset_Click}}) {
        auto* button = new QPushButton(QString::fromLatin1(key.caption), this);
        button->setObjectName(QString::fromLatin1(key.name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, key.click);
    }
    button("Add")->setDefault(true);
    auto* move = new QHBoxLayout;
    move->addWidget(new QLabel(QStringLiteral("Move"), this));
    for (const Key& key : {Key{"MoveUp", "↑", &fDatabase::MoveUp_Click}, Key{"MoveDown", "↓", &fDatabase::MoveDown_Click}}) {
        auto* button = new QPushButton(QString::fromUtf8(key.caption), this);
        button->setObjectName(QString::fromLatin1(key.name));
        button->setAutoDefault(false);
        button->setFixedWidth(36);
        // An arrow alone on the face: the caption beside it says what it does.
        widgets::announceAs(*button, QLatin1String(key.name) == QLatin1String("MoveUp") ? QStringLiteral("Move up")
                                                                                         : QStringLiteral("Move down"));
        move->addWidget(button);
        connect(button, &QPushButton::clicked, this, key.click);
    }
    buttons->addLayout(move);
    buttons->addStretch();
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Exit"));
    exit->setAutoDefault(false);
    buttons->addWidget(exit);
    connect(exit, &QPushButton::clicked, this, &fDatabase::Exit_Click);
    layout->addLayout(buttons, 1, 1, 3, 1);

    layout->addWidget(new QLabel(QStringLiteral("Preview"), this), 4, 0, 1, 2);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setMinimumHeight(56);
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widgets::setFixedColours(*m_preview, Qt::black, Qt::white);
    layout->addWidget(m_preview, 5, 0, 1, 2);
}

QPushButton* fDatabase::button(const char* name) const { return findChild<QPushButton*>(QString::fromLatin1(name)); }

void fDatabase::Form_Load()
{
    centreOverCalculator(*this, parentWidget());
    UpdateDBList();
    if (componentList().ComponentCount() < 1)
        setListButtonsEnabled(false);
    else
        select(0);
}

void fDatabase::setListButtonsEnabled(bool enabled)
{
    for (const char* name : listButtons)
        button(name)->setEnabled(enabled);
}

void fDatabase::UpdateDBList()
{
    QStringList names;
    for (int i = 1; i <= componentList().ComponentCount(); ++i)
        names.append(fromStd(componentList().ComponentNameAt(i)));
    m_list->clear();
    m_list->addItems(names);
}

int fDatabase::selectedRecord() const
{
    for (int item = 0; item < m_list->count(); ++item)
        if (m_list->item(item)->isSelected())
            return item + 1;
    return 0;
}

void fDatabase::select(int item)
{
    m_list->setCurrentRow(item);
    ComponentList_Click();
}

void fDatabase::replaceItem(int item, int record)
{
    delete m_list->takeItem(item);
    m_list->insertItem(item, fromStd(componentList().ComponentNameAt(record)));
    select(item);
}

void fDatabase::ComponentList_Click()
{
    if (const int record = selectedRecord())
        m_preview->setText(fromStd(sPreview(componentList().ComponentGroups(record))));
}

void fDatabase::Add_Click()
{
    if (!runComponentWizard(this))
        return;
    UpdateDBList();
    select(m_list->count() - 1);
    setListButtonsEnabled(true);
}

void fDatabase::Edit_Click()
{
    const int record = selectedRecord();
    if (record == 0)
        return;
    const std::string groups = componentList().ComponentGroups(record);
    if (CountGroups(groups) > builderRowCount) {
        services::ui().message(tooManySubgroupsMessage, pleaseNoteTitle, services::Ui::Icon::Information);
        return;
    }
    const auto pairs = editablePairs(groups);
    if (!pairs) {
        services::ui().message(cannotEditMessage, pleaseNoteTitle, services::Ui::Icon::Information);
        return;
    }
    fBuilder builder(this);
    builder.Form_Load();
    builder.editComponent(record, fromStd(componentList().ComponentNameAt(record)), *pairs);
    services::ui().showModal(builder);
    ComponentList_Click();
}

void fDatabase::Rename_Click()
{
    const int record = selectedRecord();
    if (record == 0)
        return;
    fRename rename(this);
    rename.Form_Load();
    rename.OldName()->setText(fromStd(componentList().ComponentNameAt(record)));
    rename.Tag = QString::number(record);
    services::ui().showModal(rename);
    while (rename.Tag == QLatin1String("1")) {
        const ListChange change = componentList().SetComponentName(record, rename.NewName()->text().toStdString());
        if (change == ListChange::Done) {
            replaceItem(record - 1, record);
            return;
        }
        // A refused name is said and the dialog shown again, so that it can be changed.
        showNotice(changeMessage(change));
        rename.Tag = QString::number(record);
        services::ui().showModal(rename);
    }
}

void fDatabase::Delete_Click()
{
    const int record = selectedRecord();
    if (record == 0)
        return;
    const int index = record - 1;
    const std::string question =
        std::string("Do you wish to delete the component") + lineEnd + componentList().ComponentNameAt(record) + " ?";
    if (!services::ui().yesNo(question, "Delete component", services::Ui::Question::Warning))
        return;
    componentList().DeleteComponent(record);
    delete m_list->takeItem(index);
    if (componentList().ComponentCount() == 0) {
        setListButtonsEnabled(false);
        m_preview->clear();
    } else
        select(index >= componentList().ComponentCount() ? index - 1 : index);
}

void fDatabase::MoveUp_Click()
{
    const int i = selectedRecord();
    if (componentList().ComponentCount() <= 1 || i <= 1)
        return;
    componentList().SwapComponents(i, i - 1);
    delete m_list->takeItem(i - 1);
    m_list->insertItem(i - 2, fromStd(componentList().ComponentNameAt(i - 1)));
    select(i - 2);
}

void fDatabase::MoveDown_Click()
{
    const int i = selectedRecord();
    if (componentList().ComponentCount() <= 1 || i == 0 || i >= componentList().ComponentCount())
        return;
    componentList().SwapComponents(i, i + 1);
    delete m_list->takeItem(i - 1);
    m_list->insertItem(i, fromStd(componentList().ComponentNameAt(i + 1)));
    select(i);
}

void fDatabase::Reset_Click()
{
    if (componentList().ComponentCount() > 0 &&
        !services::ui().yesNo(resetQuestion, "Reset Database", services::Ui::Question::Warning))
        return;
    componentList().ClearComponents();
    for (const DefaultComponent& component : defaultComponents())
        componentList().AddComponent(component.name, component.groups);
    UpdateDBList();
    select(0);
    setListButtonsEnabled(true);
}

void fDatabase::Exit_Click()
{
    const DatabaseSave save = SaveDatabase();
    if (!save) {
        m_saveFailed = true;
        services::ui().message(notSavedMessage, errorTitle, services::Ui::Icon::Exclamation);
        // A full disk may free up for the next Exit; a program with no folder to write never
        // saves, and keeps the list in memory.
        if (!services::programFileToWrite(services::unifacDatabaseName))
            answer("0");
        return;
    }
    if (!save.keptHere.empty())
        showNotice(keptHereMessage(save.keptHere));
    answer("0");
}

void fDatabase::cancel()
{
    if (m_saveFailed)
        answer("0");
    else
        Exit_Click();
}

} // namespace calvex::unifac
