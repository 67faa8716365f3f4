#pragma once
// What the UNIFAC window tests share: a scratch program folder whose DATABASE.UFC holds the six
// default components, the tables filled, a scripted Ui, and a loaded calculator window.

#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"
#include "unifac/componentbuilder.h"
#include "unifac/componentfile.h"
#include "unifac/unifaccalculator.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace calvex::unifac::testing {

using calvex::testing::ScriptedUi;
using Texts = std::vector<std::string>;

class UnifacWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The window loaded from the folder's DATABASE.UFC.
    void openCalculator();
    void choose(int row, int component);

    // A dialog script run on the dialog as its concrete type.
    template <class Dialog>
    static ScriptedUi::DialogScript on(std::function<void(Dialog&)> script)
    {
        return [script](services::ModalDialog& dialog) {
            auto* concrete = dynamic_cast<Dialog*>(&dialog);
            ASSERT_NE(concrete, nullptr) << dialog.dialogName();
            script(*concrete);
        };
    }
    // The name step answered with `name` and Next.
    static ScriptedUi::DialogScript nameStep(const std::string& name);
    // The subgroup step with the list items of these subgroups clicked, then Next.
    static ScriptedUi::DialogScript subgroupStep(std::vector<int> subgroups);

    static void click(QListWidget& list, int item);
    static std::string names();

    calvex::testing::ScratchFolder folder;
    ScriptedUi ui;
    std::unique_ptr<fMain> window;
};

} // namespace calvex::unifac::testing
