#include "widgets/resultviewer.h"

#include "services/pointsfile.h"
#include "services/programfolder.h"
#include "services/ui.h"
#include "widgets/aboutbox.h"
#include "widgets/frametoolbar.h"
#include "widgets/keybutton.h"
#include "widgets/plotcallbacks.h"
#include "widgets/webbrowser.h"
#include "widgets/windowcommands.h"
#include "widgets/windownames.h"
#include "widgets/windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace calvex::widgets {
namespace {

constexpr double browserTopTwips = 840;
constexpr int panelInset = 12;
const QSize viewerSize(880, 660);

const char* const waitText = "Plotting may take time so please wait";
const char* const completeText = "plotting complete";

WindowRegistry& registry() { return WindowRegistry::instance(); }

void callWindow(QWidget* window, const services::PlotButton& button)
{
    switch (button.call) {
    case services::PlotCall::Nothing:
        return;
    case services::PlotCall::Graphplotting:
        if (auto* target = dynamic_cast<PlotCallbacks*>(window)) {
            target->graphplotting(button.argument);
            return;
        }
        break;
    case services::PlotCall::GraphplottingPXY:
    case services::PlotCall::GraphplottingTXY:
        if (auto* target = dynamic_cast<UnifacPlotCallbacks*>(window)) {
            if (button.call == services::PlotCall::GraphplottingPXY)
                target->graphplottingPXY(button.argument);
            else
                target->graphplottingTXY(button.argument);
            return;
        }
        break;
    }
    services::ui().message(button.window + " cannot draw this chart.");
}

} // namespace

frmTextEditor::frmTextEditor(QWidget* parent)
    : QWidget(parent), m_client(new QWidget(this)), m_toolbar(new QToolBar(m_client)), m_browser(new WebBrowser(m_client)),
      m_text1(new QLineEdit(m_client)), m_frame1(new QGroupBox(QStringLiteral("Plot"), m_client)),
      m_frame2(new QGroupBox(QStringLiteral("Plot"), m_client)), m_label1(new QLabel(m_frame2)),
      m_keys{new KeyButton(0, QString(), m_frame1), new KeyButton(1, QString(), m_frame1)}
{
    setWindowTitle(QStringLiteral("My Text Editor"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_client);

    addFileMenu(menuBar, this,
                {[this] { mnuFileSave_Click(); }, [this] { mnuFileSaveAs_Click(); }, [this] { mnuFileExit_Click(); }});
    fillToolbar(m_toolbar,
                {{"Save", "Save", "save"},
                 {"SaveAs", "Save As", "save"},
                 {"Clear", "Clear", "clear"},
                 {"Plot", "Plot", "plot"},
                 {"About", "About", "about"},
                 {"back", "back", "back"}},
                ToolbarFocus::AfterOwnControls, [this](const QString& key) { Toolbar_ButtonClick(key); });

    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_label1->setObjectName(QStringLiteral("Label1"));

    auto* keys = new QVBoxLayout(m_frame1);
    for (KeyButton* button : m_keys) {
        const int index = button->index();
        button->setObjectName(QStringLiteral("key(%1)").arg(index));
        button->setMinimumWidth(220);
        keys->addWidget(button);
        connect(button, &KeyButton::pointerMoved, this, &frmTextEditor::key_MouseMove);
        connect(button, &QPushButton::clicked, this, [this, index] { key_Click(index); });
    }
    auto* status = new QVBoxLayout(m_frame2);
    status->addWidget(m_label1);
    m_label1->setMinimumWidth(260);
    // Panels float over the page: they paint their whole rectangle, and only their titles are bold.
    for (QGroupBox* panel : {m_frame1, m_frame2}) {
        QFont regular = panel->font();
        regular.setBold(false); // set explicitly, or the children would inherit the bold title
        QFont title = regular;
        title.setBold(true);
        panel->setFont(title);
        for (QWidget* child : panel->findChildren<QWidget*>())
            child->setFont(regular);
        panel->setAutoFillBackground(true);
    }

    m_text1->hide();
    m_frame1->hide();
    m_frame2->hide();
    m_label1->hide();
    m_keys[0]->hide();
    m_keys[1]->hide();
    m_client->installEventFilter(this);
    resize(viewerSize);
}

void frmTextEditor::Form_Load()
{
    setFrameToolbarVisible(false);
    // Inside the frame the page gets the frame's whole client area.
    const QMdiArea* area = registry().mdiArea();
    QWidget* outer = WindowRegistry::outerWindow(this);
    if (!area || outer == this)
        return;
    // The area grows into the toolbar's place only once the frame is laid out again.
    if (QLayout* frameLayout = area->window()->layout())
        frameLayout->activate();
    outer->setGeometry(QRect(QPoint(0, 0), area->viewport()->size()));
}

void frmTextEditor::Form_Unload() { setFrameToolbarVisible(true); }

void frmTextEditor::Form_Resize()
{
    const int top = sizeFromTwips(*this, 0, browserTopTwips).height();
    const int left = 0;
    m_toolbar->setGeometry(0, 0, m_client->width(), std::min(m_toolbar->sizeHint().height(), top));
    const int width = std::max(0, m_client->width() - 2 * left);
    const int height = std::max(0, m_client->height() - 2 * top);
    m_browser->setGeometry(left, top, width, height);
    m_frame1->move(left + panelInset, top + panelInset);
    m_frame2->move(left + panelInset, top + panelInset);
}

void frmTextEditor::mnuFileSave_Click() { saveAction(); }

void frmTextEditor::mnuFileSaveAs_Click() { saveAction(); }

void frmTextEditor::mnuFileExit_Click()
{
    setFrameToolbarVisible(true);
    registry().unload(this);
}

void frmTextEditor::Toolbar_ButtonClick(const QString& key)
{
    m_frame2->hide();
    hidePlotButtons();
    if (key == QLatin1String("Save") || key == QLatin1String("SaveAs"))
        saveAction();
    else if (key == QLatin1String("back"))
        registry().unload(this);
    else if (key == QLatin1String("About"))
        showAboutBox();
    else if (key == QLatin1String("Plot"))
        offerPlotButtons();
}

void frmTextEditor::key_MouseMove(int index) { moveHighlight(m_keys, m_highlighted, index); }

void frmTextEditor::key_Click(int index)
{
    if (m_plotting)
        return;
    hidePlotButtons();
    m_frame2->show();
    m_frame2->raise();
    m_label1->show();
    m_label1->setText(QString::fromLatin1(waitText));
    m_frame2->adjustSize();
    // The callback blocks the event loop; the notice must be on screen before it starts.
    m_frame2->repaint();

    const services::ResultKindEntry* entry = services::resultKindEntry(services::resultKindOf(m_text1->text().toStdString()));
    if (entry && index < static_cast<int>(entry->buttons.size())) {
        const QPointer<frmTextEditor> self(this);
        m_plotting = true;
        runPlotCallback(entry->buttons[index]);
        if (!self)
            return;
        m_plotting = false;
    }
    m_label1->setText(QString::fromLatin1(completeText));
    m_frame2->adjustSize();
}

bool frmTextEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QWidget::eventFilter(watched, event);
}

void frmTextEditor::saveAction()
{
    m_browser->setFocus();
    m_browser->SaveAs();
}

void frmTextEditor::hidePlotButtons()
{
    // Qt would hand the focus of a hidden plot button on to the next control in the Tab chain, a
    // toolbar button, which a key meant for the plot's messages would then press.
    if (m_frame1->isAncestorOf(focusWidget()))
        m_browser->setFocus();
    m_frame1->hide();
}

void frmTextEditor::offerPlotButtons()
{
    const services::ResultKindEntry* entry = services::resultKindEntry(services::resultKindOf(m_text1->text().toStdString()));
    if (!entry)
        return;
    const bool two = entry->buttons.size() > 1;
    m_keys[0]->setText(QString::fromStdString(entry->buttons[0].caption));
    if (two)
        m_keys[1]->setText(QString::fromStdString(entry->buttons[1].caption));
    // A button pressed for an earlier plot is offered unpressed again.
    for (KeyButton* button : m_keys)
        button->setChecked(false);
    m_frame1->show();
    m_frame1->raise();
    m_keys[0]->show();
    m_keys[1]->setVisible(two);
    m_frame1->adjustSize();
}

void runPlotCallback(const services::PlotButton& button)
{
    if (button.call == services::PlotCall::Nothing)
        return;
    const QString name = QString::fromStdString(button.window);
    QWidget* window = registry().load(name);
    if (!window) {
        services::ui().message(WindowRegistry::notAvailableText().toStdString());
        return;
    }
    try {
        callWindow(window, button);
    } catch (const services::PlotFailure& failure) {
        services::ui().message(std::string("The chart could not be drawn: ") + failure.what() + ".");
    } catch (...) {
        services::ui().message("The chart could not be drawn.");
    }
}

void presentReport(int resultKind, const services::ReportOutcome& outcome, const std::function<void()>& beforeShowing)
{
    auto* viewer = registry().loadAs<frmTextEditor>(resultViewerWindow);
    if (!viewer)
        return;
    viewer->Text1()->setText(QString::number(resultKind));
    if (outcome.pageInFile)
        viewer->WebBrowser1()->Navigate(QString::fromStdString(services::programFile(services::resultPageName).string()),
                                        QByteArray::fromStdString(outcome.page));
    else
        viewer->WebBrowser1()->showPage(QString::fromStdString(outcome.page));
    if (beforeShowing)
        beforeShowing();
    registry().show(resultViewerWindow);
}

} // namespace calvex::widgets
