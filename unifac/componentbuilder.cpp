#include "unifac/componentbuilder.h"

#include "services/numbers.h"
#include "unifac/subgrouptable.h"
#include "widgets/filteredbox.h"
#include "widgets/spokennames.h"
#include "widgets/windowplacement.h"
#include "widgets/windowregistry.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace calvex::unifac {
namespace {

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

void setBold(QLabel& label)
{
    QFont font = label.font();
    font.setBold(true);
    label.setFont(font);
}

QPushButton* addButton(QBoxLayout& layout, QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout.addWidget(button);
    return button;
}

using Icon = services::Ui::Icon;

void showMessage(const char* text, Icon icon = Icon::Information) { services::ui().message(text, pleaseNoteTitle, icon); }

} // namespace

void centreOverCalculator(QWidget& dialog, const QWidget* fallback)
{
    dialog.adjustSize();
    const QWidget* calculator = widgets::WindowRegistry::instance().find(QStringLiteral("fMain"));
    if (!calculator)
        calculator = fallback;
    if (calculator)
        widgets::centreOver(dialog, *calculator);
}

QLabel* nameLabel(QWidget* parent, const char* objectName)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    setBold(*label);
    return label;
}

UnifacDialog::UnifacDialog(QWidget* parent, const char* name, const QString& caption) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

void UnifacDialog::answer(const char* tag)
{
    Tag = QString::fromLatin1(tag);
    hide();
}

NameDialog::NameDialog(QWidget* parent, const char* name, const QString& caption)
    : UnifacDialog(parent, name, caption), m_newName(new QLineEdit(this))
{
    m_newName->setObjectName(QStringLiteral("NewName"));
    m_newName->setMinimumWidth(280);
}

void NameDialog::addButtons(QBoxLayout& layout)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* cancel = addButton(*buttons, this, "Command1", "Cancel");
    QPushButton* next = addButton(*buttons, this, "Command2", "Next   >>");
    next->setDefault(true);
    layout.addLayout(buttons);
    connect(next, &QPushButton::clicked, this, &NameDialog::Command2_Click);
    connect(cancel, &QPushButton::clicked, this, &NameDialog::Command1_Click);
}

std::string NameDialog::fieldText(int index) const { return index == 0 ? m_newName->text().toStdString() : std::string(); }

void NameDialog::typeFieldText(int index, const std::string& text)
{
    if (index == 0)
        m_newName->setText(fromStd(text));
}

void NameDialog::Command2_Click()
{
    const NameCheck check = checkName(nameAsStored());
    if (check != NameCheck::Accepted) {
        showNotice(nameMessage(check));
        return;
    }
    answer("1");
}

fUName::fUName(QWidget* parent) : NameDialog(parent, "fUName", QStringLiteral("UNIFAC Component Builder - Step 1 of 2"))
{
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Enter name of new component"), this);
    auto* frameLayout = new QVBoxLayout(frame);
    NewName()->setParent(frame);
    // The frame's title is the only caption the box has.
    widgets::announceAs(*NewName(), frame->title());
    frameLayout->addWidget(NewName());
    layout->addWidget(frame);
    addButtons(*layout);
}

void fUName::Form_Load() { centreOverCalculator(*this, parentWidget()); }

std::string fUName::nameAsStored() const { return trimBlanks(NewName()->text().toStdString()); }

fBuilder::fBuilder(QWidget* parent) : UnifacDialog(parent, "fBuilder", QStringLiteral("UNIFAC Component Builder - Step 2 of 2"))
{
    auto* layout = new QVBoxLayout(this);
    auto* nameLine = new QHBoxLayout;
    nameLine->addWidget(new QLabel(QStringLiteral("Component Name:"), this));
    m_compName = nameLabel(this, "CompName");
    nameLine->addWidget(m_compName, 1);
    layout->addLayout(nameLine);

    auto* body = new QHBoxLayout;
    auto* listColumn = new QVBoxLayout;
    auto* listCaption = new QLabel(QStringLiteral("Selected subgroups"), this);
    listColumn->addWidget(listCaption);
    m_list = new QListWidget(this);
    widgets::announceBy(*listCaption, *m_list);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setMinimumHeight(300);
    listColumn->addWidget(m_list);
    body->addLayout(listColumn);

    auto* grid = new QGridLayout;
    const char* headers[] = {"Sub #", "Group", "Main #", "R", "Q", "Number"};
    for (int c = 0; c < 6; ++c)
        grid->addWidget(new QLabel(QString::fromLatin1(headers[c]), this), 0, c);
    for (int i = 0; i < builderRowCount; ++i) {
        Row& row = m_rows[i];
        const QString index = QStringLiteral("(%1)").arg(i);
        QLabel** labels[] = {&row.subNum, &row.groupName, &row.mainNum, &row.r, &row.q};
        const char* names[] = {"SubNum", "GroupName", "MainNum", "R", "Q"};
        for (int c = 0; c < 5; ++c) {
            *labels[c] = new QLabel(this);
            (*labels[c])->setObjectName(QString::fromLatin1(names[c]) + index);
            (*labels[c])->setMinimumWidth(c == 1 ? 90 : 50);
            grid->addWidget(*labels[c], i + 1, c);
        }
        setBold(*row.groupName);
        row.numSub = new QLineEdit(QStringLiteral("1"), this);
        row.numSub->setObjectName(QStringLiteral("NumSub") + index);
        row.numSub->setMaxLength(3);
        row.numSub->setFixedWidth(48);
        row.numSub->installEventFilter(this);
        widgets::setKeyFilter(*row.numSub, [](std::string_view text, char key) { return countKeyAccepted(text, key); });
        const QString rowName = QStringLiteral(", row %1").arg(i + 1);
        widgets::announceAs(*row.numSub, QString::fromLatin1(headers[5]) + rowName);
        connect(row.numSub, &QLineEdit::textChanged, this, &fBuilder::UpdateRQ);
        row.spin = new QWidget(this);
        row.spin->setObjectName(QStringLiteral("Spin") + index);
        auto* spinLayout = new QVBoxLayout(row.spin);
        spinLayout->setContentsMargins(0, 0, 0, 0);
        spinLayout->setSpacing(0);
        for (const bool up : {true, false}) {
            auto* button = new QToolButton(row.spin);
            button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
            widgets::announceAs(*button, (up ? QStringLiteral("Increase") : QStringLiteral("Decrease")) + rowName);
            button->setFixedSize(18, 11);
            spinLayout->addWidget(button);
            connect(button, &QToolButton::clicked, this, [this, i, up] { up ? Spin_SpinUp(i) : Spin_SpinDown(i); });
        }
        auto* countCell = new QHBoxLayout;
        countCell->setSpacing(2);
        countCell->addWidget(row.numSub);
        countCell->addWidget(row.spin);
        countCell->addStretch();
        grid->addLayout(countCell, i + 1, 5);
    }
    auto* totals = new QHBoxLayout;
    m_totalR = new QLabel(this);
    m_totalQ = new QLabel(this);
    m_totalR->setObjectName(QStringLiteral("TotalR"));
    m_totalQ->setObjectName(QStringLiteral("TotalQ"));
    for (auto [caption, label] : {std::pair{"Total R:", m_totalR}, std::pair{"Total Q:", m_totalQ}}) {
        totals->addWidget(new QLabel(QString::fromLatin1(caption), this));
        setBold(*label);
        label->setMinimumWidth(70);
        totals->addWidget(label);
    }
    totals->addStretch();
    grid->addLayout(totals, builderRowCount + 1, 0, 1, 6);
    grid->setRowStretch(builderRowCount + 2, 1);
    body->addLayout(grid);
    layout->addLayout(body);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cancel = addButton(*buttons, this, "Command1", "Cancel");
    m_back = addButton(*buttons, this, "Command2", "<<  Back");
    m_next = addButton(*buttons, this, "Command3", "Next  >>");
    m_next->setDefault(true);
    layout->addLayout(buttons);
    connect(m_next, &QPushButton::clicked, this, &fBuilder::Command3_Click);
    connect(m_back, &QPushButton::clicked, this, &fBuilder::Command2_Click);
    connect(m_cancel, &QPushButton::clicked, this, &fBuilder::Command1_Click);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &fBuilder::List1_Click);
}

std::string fBuilder::fieldText(int index) const
{
    return index >= 0 && index < builderRowCount ? m_rows[index].numSub->text().toStdString() : std::string();
}

void fBuilder::typeFieldText(int index, const std::string& text)
{
    if (index < 0 || index >= m_inUse)
        return;
    m_rows[index].numSub->clear();
    widgets::typeThroughFilter(*m_rows[index].numSub,
                                [](std::string_view typed, char key) { return countKeyAccepted(typed, key); }, text);
}

void fBuilder::Form_Load()
{
    centreOverCalculator(*this, parentWidget());
    for (int i = 0; i < builderRowCount; ++i)
        freeRow(i);
    m_inUse = 0;
    const QSignalBlocker blocker(m_list);
    QStringList names;
    for (int k = 1; k <= subgroupCount; ++k)
        names.append(fromStd(SubgroupTable(k).name));
    m_list->clear();
    m_list->addItems(names);
    UpdateRQ();
}

void fBuilder::editComponent(int record, const QString& storedName, const std::vector<GroupPair>& pairs)
{
    m_editRecord = record;
    m_compName->setText(storedName);
    m_back->hide();
    setWindowTitle(QStringLiteral("Edit component"));
    const QSignalBlocker blocker(m_list);
    for (const GroupPair& pair : pairs) {
        m_list->item(pair.subgroup - 1)->setSelected(true);
        fillRow(m_inUse++, pair.subgroup, QString::number(pair.count));
    }
    UpdateRQ();
}

void fBuilder::fillRow(int row, int subgroup, const QString& count)
{
    const UnifacSubgroup& s = SubgroupTable(subgroup);
    Row& r = m_rows[row];
    r.subNum->setText(QString::number(subgroup));
    r.groupName->setText(fromStd(s.name));
    r.mainNum->setText(QString::number(s.MainGroup));
    r.r->setText(fromStd(services::singleText(s.R)));
    r.q->setText(fromStd(services::singleText(s.Q)));
    {
        const QSignalBlocker blocker(r.numSub);
        r.numSub->setText(count);
    }
    r.numSub->show();
    r.spin->show();
}

void fBuilder::freeRow(int row)
{
    Row& r = m_rows[row];
    for (QLabel* label : {r.subNum, r.groupName, r.mainNum, r.r, r.q})
        label->clear();
    r.numSub->hide();
    r.spin->hide();
}

std::vector<BuilderRow> fBuilder::builderRows() const
{
    std::vector<BuilderRow> rows;
    for (int i = 0; i < m_inUse; ++i)
        rows.push_back({m_rows[i].subNum->text().toInt(), m_rows[i].numSub->text().toStdString()});
    return rows;
}

void fBuilder::UpdateRQ()
{
    const auto [sumR, sumQ] = totalsOf(builderRows());
    m_totalR->setText(fromStd(totalText(sumR)));
    m_totalQ->setText(fromStd(totalText(sumQ)));
}

void fBuilder::SelectSub(int index)
{
    if (m_inUse < builderRowCount)
        fillRow(m_inUse++, index + 1, QStringLiteral("1"));
}

void fBuilder::DeselectLoc(int row)
{
    for (int i = row; i + 1 < m_inUse; ++i)
        fillRow(i, m_rows[i + 1].subNum->text().toInt(), m_rows[i + 1].numSub->text());
    freeRow(--m_inUse);
}

void fBuilder::List1_Click()
{
    for (int row = 0; row < m_inUse; ++row)
        if (!m_list->item(m_rows[row].subNum->text().toInt() - 1)->isSelected()) {
            DeselectLoc(row);
            UpdateRQ();
            return;
        }
    for (int index = 0; index < m_list->count(); ++index) {
        if (!m_list->item(index)->isSelected())
            continue;
        bool inRow = false;
        for (int row = 0; row < m_inUse && !inRow; ++row)
            inRow = m_rows[row].subNum->text().toInt() == index + 1;
        if (inRow)
            continue;
        if (m_inUse < builderRowCount) {
            SelectSub(index);
        } else {
            showMessage(ninthSubgroupMessage);
            const QSignalBlocker blocker(m_list);
            m_list->item(index)->setSelected(false);
        }
        UpdateRQ();
        return;
    }
}

bool fBuilder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut)
        for (int row = 0; row < builderRowCount; ++row)
            if (watched == m_rows[row].numSub)
                NumSub_LostFocus(row);
    return UnifacDialog::eventFilter(watched, event);
}

void fBuilder::NumSub_LostFocus(int row)
{
    const std::string count = countAfterFocusLoss(m_rows[row].numSub->text().toStdString());
    if (count != m_rows[row].numSub->text().toStdString())
        m_rows[row].numSub->setText(fromStd(count));
}

void fBuilder::Spin_SpinDown(int row)
{
    m_rows[row].numSub->setText(fromStd(countSpunDown(m_rows[row].numSub->text().toStdString())));
    UpdateRQ();
}

void fBuilder::Spin_SpinUp(int row)
{
    m_rows[row].numSub->setText(fromStd(countSpunUp(m_rows[row].numSub->text().toStdString())));
    UpdateRQ();
}

void fBuilder::Command3_Click()
{
    // Enter finishes without moving the focus, so a count of 0 or nothing gets its focus-loss rule here.
    for (int row = 0; row < m_inUse; ++row)
        NumSub_LostFocus(row);
    if (m_inUse == 0) {
        showMessage(noSubgroupMessage, Icon::Exclamation);
        return;
    }
    const std::string groups = groupListOf(builderRows());
    const ListChange change = m_editRecord != 0
                                  ? componentList().SetComponentGroups(m_editRecord, groups)
                                  : componentList().AddComponent(trimBlanks(m_compName->text().toStdString()), groups);
    if (change != ListChange::Done)
        showNotice(changeMessage(change));
    switch (change) {
    case ListChange::Done: answer("2"); break;
    case ListChange::GroupsTooLong: break; // the step stays open: the counts are corrected here
    case ListChange::NotStorable: answer("1"); break; // back to the name step, where the name is corrected
    case ListChange::ListFull: answer("0"); break;
    }
}

bool runComponentWizard(QWidget* owner)
{
    const short before = componentList().ComponentCount();
    fUName name(owner);
    fBuilder builder(owner);
    name.Form_Load();
    builder.Form_Load();
    name.Tag = builder.Tag = QStringLiteral("-1");
    services::ui().showModal(name);
    for (;;) {
        if (name.Tag == QLatin1String("0") || builder.Tag == QLatin1String("0") || builder.Tag == QLatin1String("2"))
            break;
        if (name.Tag == QLatin1String("1")) {
            name.Tag = QStringLiteral("-1");
            builder.CompName()->setText(name.NewName()->text());
            services::ui().showModal(builder);
        } else if (builder.Tag == QLatin1String("1")) {
            builder.Tag = QStringLiteral("-1");
            services::ui().showModal(name);
        } else {
            break; // a step closed without an answer ends the wizard as Cancel does
        }
    }
    return componentList().ComponentCount() > before;
}

} // namespace calvex::unifac
