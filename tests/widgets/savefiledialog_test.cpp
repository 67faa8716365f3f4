// The platform's file dialog where the program may keep nothing under the home: started by root
// with HOME on another account's home, a Save As through the real dialog leaves that home as it
// was, Qt's own settings of the dialog included; in the normal case they stay where Qt keeps them.
#include "widgets/savefiledialog.h"

#include "services/programfolder.h"
#include "tests/support/environmentscope.h"
#include "tests/support/hangguard.h"
#include "tests/support/otheraccount.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"
#include "widgets/webbrowser.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace calvex::widgets {
namespace {

namespace fs = std::filesystem;
using testing::otherAccount;

// Saves a page through the viewer's Save As, the real dialog accepted with `target` once it is up.
bool saveThroughTheDialog(const QString& target)
{
    const testing::HangGuard guard;
    QTimer::singleShot(0, [target] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "the file dialog is up";
        dialog->selectFile(target);
        QMetaObject::invokeMethod(dialog, "accept"); // as its Save button does
    });
    WebBrowser browser;
    browser.showPage(QStringLiteral("<p>report</p>"));
    return browser.SaveAs();
}

TEST(SaveFileDialog, RootWithAnotherAccountsHomeChangesNothingThereAndQtsSettingsFollow)
{
    const std::string refused = " could not be used: it belongs to another account.";
    const std::string shownNotKept =
        " Reports and plots are shown but not kept after exit; changes to the data cannot be saved.";
    const std::string cannotSave = " Reports, plots and changes to the data cannot be saved.";
    const struct {
        const char* home;
        std::vector<std::string> files; // what the home holds before the start
        uid_t owner;
        bool temporaryFolder; // whether the run can make a folder of its own
    } rows[] = {
        {"no .local", {".bashrc"}, otherAccount, true},
        {"own data folder", {".local/share/calvex/Filedatabase.dat"}, otherAccount, true},
        {"own Qt settings", {".config/QtProject.conf"}, otherAccount, true},
        {"own Qt settings, no temporary folder", {".config/QtProject.conf"}, otherAccount, false},
        {"root's own", {".bashrc"}, ::geteuid(), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.home);
        testing::ScratchFolder installation, scratch;
        installation.write(services::installedMarkerName, "");
        const fs::path home = scratch.file("home");
        for (const std::string& file : row.files) {
            fs::create_directories((home / file).parent_path());
            scratch.write("home/" + file, "[FileDialog]\nlastVisited=file:///home/nobody\n");
        }
        testing::giveTo(home, row.owner);
        const fs::path runtime = scratch.file("runtime");
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        const testing::EnvironmentScope homeVariable("HOME", home.string());
        const testing::EnvironmentScope data("XDG_DATA_HOME", std::nullopt);
        const testing::EnvironmentScope config("XDG_CONFIG_HOME", std::nullopt);
        const std::optional<std::string> runtimeValue =
            row.temporaryFolder ? std::optional(runtime.string()) : std::nullopt;
        const testing::EnvironmentScope runtimeFolder("XDG_RUNTIME_DIR", runtimeValue);
        const testing::EnvironmentScope temporary("TMPDIR", home.string()); // another account's
        const std::string before = testing::fileListing(home);
        testing::ScriptedUi ui;

        services::chooseProgramFolder(installation.path());
        const fs::path target = scratch.file("saved.htm");
        EXPECT_TRUE(saveThroughTheDialog(QString::fromStdString(target.string())));

        EXPECT_EQ(scratch.read("saved.htm"), "<p>report</p>");
        const fs::path qtSettings = "QtProject.conf";
        if (row.owner == ::geteuid()) {
            EXPECT_TRUE(ui.messages().empty());
            EXPECT_TRUE(fs::exists(home / ".config" / qtSettings)) << "where Qt keeps them for every program";
            continue;
        }
        const fs::path folder = home / ".local/share/calvex";
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"The data folder " + folder.string() + refused +
                                                          (row.temporaryFolder ? shownNotKept : cannotSave)});
        EXPECT_EQ(testing::fileListing(home), before);
        EXPECT_EQ(testing::fileListing(installation.path()).find(qtSettings.string()), std::string::npos);
        ASSERT_TRUE(services::toolkitSettingsFolder());
        if (row.temporaryFolder) {
            EXPECT_EQ(services::toolkitSettingsFolder()->parent_path(), runtime);
            EXPECT_TRUE(fs::exists(*services::toolkitSettingsFolder() / qtSettings)) << "in the run's folder";
        } else {
            EXPECT_TRUE(fs::is_empty(runtime));
            EXPECT_FALSE(fs::exists(*services::toolkitSettingsFolder() / qtSettings)) << "nowhere";
        }
    }
}

} // namespace
} // namespace calvex::widgets
