#pragma once
// The result viewer frmTextEditor: the frame child in which every calculator shows its report
// page result.htm. It saves the page, and its plot panel offers the plot buttons of the
// ResultKind the calculator left in the hidden Text1; a plot button calls the calculator back
// (widgets/plotcallbacks.h). The frame's toolbar is hidden while the viewer is loaded.
//
// Calculators reach it through ShowResultReport (services/resultformat.h): the presenter that
// registerViewerWindows() installs writes the kind into Text1, points WebBrowser1 at result.htm
// (or shows the page from memory when result.htm could not be written) and shows the viewer.

#include "services/resultformat.h"
#include "services/resultkinds.h"
#include "widgets/windowregistry.h"

#include <QWidget>

#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QToolBar;

namespace calvex::widgets {

class KeyButton;
class WebBrowser;

class frmTextEditor : public QWidget, public LoadHandler, public UnloadHandler {
    Q_OBJECT

public:
    explicit frmTextEditor(QWidget* parent = nullptr);

    QLineEdit* Text1() const { return m_text1; }
    WebBrowser* WebBrowser1() const { return m_browser; }

    // The handlers, by their control and event.
    // Hides the frame's toolbar; the unload shows it again.
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileExit_Click();
    // By key: "Save", "SaveAs", "Clear", "Plot", "About", "back". Every key hides both panels.
    void Toolbar_ButtonClick(const QString& key);
    void key_MouseMove(int index);
    void key_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void saveAction();
    void hidePlotButtons();
    void offerPlotButtons();

    QWidget* m_client;
    QToolBar* m_toolbar;
    WebBrowser* m_browser;
    QLineEdit* m_text1;
    QGroupBox* m_frame1;
    QGroupBox* m_frame2;
    QLabel* m_label1;
    std::vector<KeyButton*> m_keys;
    int m_highlighted = 0;
    bool m_plotting = false;
};

// Calls back the window of one plot button. Exceptions stop here: a callback that throws
// leaves a message ("The chart could not be drawn: …") and the viewer as it was.
void runPlotCallback(const services::PlotButton& button);

// Shows a report in the viewer, loading it first: the presenter of ShowResultReport.
void presentReport(int resultKind, const services::ReportOutcome& outcome, const std::function<void()>& beforeShowing);

} // namespace calvex::widgets
