#pragma once
// The base of the calculator-window tests: the real dialogs and viewer registered, the reports
// caught (their ResultKinds recorded, each one required to be written), a scripted Ui, and every
// window unloaded after each test. `Window` is the calculator window class under test.

#include "services/resultformat.h"
#include "tests/support/scriptedui.h"
#include "widgets/dialogwindows.h"
#include "widgets/resultviewer.h"
#include "widgets/viewerwindows.h"
#include "widgets/windowregistry.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace calvex::testing {

template <class Window>
class CalculatorWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        widgets::registerDialogWindows();
        widgets::registerViewerWindows();
    }

    void SetUp() override
    {
        services::setReportPresenter(
            [this](int kind, const services::ReportOutcome& outcome, const std::function<void()>& beforeShowing) {
                reportedKinds.push_back(kind);
                EXPECT_TRUE(outcome.written);
                if (beforeShowing)
                    beforeShowing();
            });
    }

    void TearDown() override
    {
        window.reset();
        auto& registry = widgets::WindowRegistry::instance();
        for (QWidget* loaded : registry.loadedWindows())
            registry.unload(loaded);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        services::setReportPresenter(widgets::presentReport);
    }

    template <class Kind>
    Window& open(Kind kind)
    {
        window = std::make_unique<Window>(kind);
        return *window;
    }

    ScriptedUi ui;
    std::unique_ptr<Window> window;
    std::vector<int> reportedKinds;
};

} // namespace calvex::testing
