#pragma once
// What the shell tests share: the shell's windows registered, stand-in windows under the real
// names of the windows other subsystems build, and every window closed after each test.

#include "shell/mdiform1.h"
#include "widgets/unifacmodes.h"
#include "widgets/windowregistry.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

// Test failures print Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace calvex::shell::testing {

// A calculator or other neighbouring window: a plain window with a caption of its own.
class StandIn : public QWidget {
    Q_OBJECT
public:
    explicit StandIn(const QString& name);
};

// The result viewer hides the frame's toolbar while it is open.
class ViewerStandIn : public StandIn, public widgets::UnloadHandler {
    Q_OBJECT
public:
    ViewerStandIn();
    void Form_Unload() override;
};

// The UNIFAC window, recording which mode it was switched to.
class UnifacStandIn : public StandIn, public widgets::UnifacModes {
    Q_OBJECT
public:
    UnifacStandIn();
    float PxyUnifacsetting() override;
    float TxyUnifacsetting() override;
    QString mode = QStringLiteral("activity coefficients");
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Registers a stand-in under `name` (an MDI child unless said otherwise).
    void standIn(const QString& name, widgets::Placement placement = widgets::Placement::MdiChild);
    // Registers stand-ins for every neighbouring window.
    void standInsForAll();
    // Shows the frame as the splash does: the frame loads and shows the launcher.
    MDIForm1* openFrame();
    QStringList loadedNames() const;
    static void destroyUnloaded();
    // The window as drawn; kept as <name>.png in the folder CALVEX_SCREENSHOTS names, when set.
    static QImage screenshot(QWidget* window, const QString& name);

    widgets::WindowRegistry& registry = widgets::WindowRegistry::instance();
    int endings = 0;
};

} // namespace calvex::shell::testing
