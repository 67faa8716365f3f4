// The component database editor: its buttons by the state of the list, the previews, delete,
// moves, reset with its question, rename and edit through their dialogs, and Exit's save.
#include "tests/unifac/unifacwindowfixture.h"

#include "tests/support/filesizelimit.h"

#include "services/programfolder.h"
#include "unifac/builderrules.h"
#include "unifac/databaseeditor.h"
#include "unifac/windows1252.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace calvex::unifac::testing {
namespace {

const std::string deleteTitle = "Delete component";

class DatabaseEditorTest : public UnifacWindowTest {
protected:
    void SetUp() override
    {
        UnifacWindowTest::SetUp();
        openCalculator();
    }
    std::unique_ptr<fDatabase> openEditor()
    {
        auto editor = std::make_unique<fDatabase>(window.get());
        editor->Form_Load();
        return editor;
    }
    static bool listButtonsEnabled(const fDatabase& editor)
    {
        bool all = true, any = false;
        for (const char* name : {"Edit", "Rename", "Delete", "MoveUp", "MoveDown"}) {
            all = all && editor.button(name)->isEnabled();
            any = any || editor.button(name)->isEnabled();
        }
        EXPECT_EQ(all, any);
        return all;
    }
    static int selected(const fDatabase& editor) { return editor.ComponentList()->currentRow(); }
};

TEST_F(DatabaseEditorTest, PreviewsOfTheDefaults)
{
    auto editor = openEditor();
    const Texts previews = {"6 x ACH", "5 x ACH ; 1 x ACCl", "1 x CH3 ; 5 x ACH ; 1 x ACCH2",
                            "2 x CH3 ; 6 x CH2", "5 x ACH ; 1 x ACCH3", "1 x H2O"};
    for (int item = 0; item < 6; ++item) {
        editor->ComponentList()->setCurrentRow(item);
        EXPECT_EQ(editor->Preview()->text().toStdString(), previews[item]);
    }
    EXPECT_EQ(sPreview("1,1;2,1;3,1;4,1;"), "1 x CH3 ; 1 x CH2 ; 1 x CH ;\r\n 1 x C");
    EXPECT_EQ(sPreview("1,1;2,1;3,1;4,1;5,1;6,1;"), "1 x CH3 ; 1 x CH2 ; 1 x CH ;\r\n 1 x C ; 1 x CH2=CH ; 1 x CH=CH");
    EXPECT_EQ(sPreview("85,1;"), "");
    EXPECT_EQ(sPreview("x"), "");
}

TEST_F(DatabaseEditorTest, EmptyListAddAndReset)
{
    const std::string question = "Resetting the database will pernamently\n\rclear the current database.\n\r\n\r"
                                 "Are you sure you want to reset the database?";
    componentList().ClearComponents();
    auto editor = openEditor();
    EXPECT_FALSE(listButtonsEnabled(*editor));
    ui.onDialog(nameStep("first")).onDialog(subgroupStep({17}));
    editor->Add_Click();
    EXPECT_TRUE(listButtonsEnabled(*editor));
    EXPECT_EQ(selected(*editor), 0);
    EXPECT_EQ(editor->Preview()->text(), QStringLiteral("1 x H2O"));
    ui.onDialog(nameStep("second")).onDialog(subgroupStep({10}));
    editor->Add_Click();
    EXPECT_EQ(selected(*editor), 1);
    componentList().ClearComponents();
    editor->UpdateDBList();
    ui.clear();
    editor->Reset_Click(); // an empty list is reset without a question
    EXPECT_TRUE(ui.events().empty());
    EXPECT_TRUE(listButtonsEnabled(*editor));
    EXPECT_EQ(selected(*editor), 0);
    EXPECT_EQ(names(), "benzene;chlorobenzene;ethylbenzene;n-octane;toluene;water;");
    EXPECT_EQ(trimBlanks(componentList().ComponentGroups(3)), "1,1;10,5;13,1;");

    editor->MoveDown_Click();
    ui.answerNo();
    editor->Reset_Click();
    EXPECT_EQ(names(), "chlorobenzene;benzene;ethylbenzene;n-octane;toluene;water;");
    ui.answerYes();
    editor->Reset_Click();
    EXPECT_EQ(names(), "benzene;chlorobenzene;ethylbenzene;n-octane;toluene;water;");
    ASSERT_EQ(ui.events().size(), 2u);
    EXPECT_EQ(ui.events()[0].text, question);
    EXPECT_EQ(ui.events()[0].title, "Reset Database");
}

TEST_F(DatabaseEditorTest, DeleteAndMove)
{
    auto editor = openEditor();
    editor->ComponentList()->setCurrentRow(5);
    ui.answerYes();
    editor->Delete_Click(); // the last: the new last is selected
    EXPECT_EQ(ui.events()[0].text, "Do you wish to delete the component\n\rwater                ?");
    EXPECT_EQ(ui.events()[0].title, deleteTitle);
    EXPECT_EQ(selected(*editor), 4);
    editor->ComponentList()->setCurrentRow(1);
    ui.answerYes();
    editor->Delete_Click(); // a middle one: the one that took its place is selected
    EXPECT_EQ(selected(*editor), 1);
    EXPECT_EQ(editor->ComponentList()->currentItem()->text().trimmed(), QStringLiteral("ethylbenzene"));
    ui.answerNo();
    editor->Delete_Click();
    EXPECT_EQ(names(), "benzene;ethylbenzene;n-octane;toluene;");

    editor->ComponentList()->setCurrentRow(0);
    editor->MoveUp_Click();
    EXPECT_EQ(names(), "benzene;ethylbenzene;n-octane;toluene;");
    editor->MoveDown_Click();
    EXPECT_EQ(names(), "ethylbenzene;benzene;n-octane;toluene;");
    EXPECT_EQ(selected(*editor), 1);
    editor->ComponentList()->setCurrentRow(3);
    editor->MoveDown_Click();
    editor->MoveUp_Click();
    EXPECT_EQ(names(), "ethylbenzene;benzene;toluene;n-octane;");
    EXPECT_EQ(selected(*editor), 2);
    EXPECT_EQ(editor->ComponentList()->item(2)->text().trimmed(), QStringLiteral("toluene"));

    componentList().ClearComponents();
    componentList().AddComponent("only", "17,1;");
    editor->UpdateDBList();
    editor->ComponentList()->setCurrentRow(0);
    ui.answerYes();
    editor->Delete_Click();
    EXPECT_FALSE(listButtonsEnabled(*editor));
    EXPECT_EQ(editor->Preview()->text(), QString()) << "no subgroups of a deleted component";
}

TEST_F(DatabaseEditorTest, RenameAndEdit)
{
    auto editor = openEditor();
    editor->ComponentList()->setCurrentRow(1);
    ui.onDialog(on<fRename>([](fRename& dialog) { dialog.close(); }));
    editor->Rename_Click(); // the frame acts as Cancel, although the preset tag reads "2"
    EXPECT_EQ(trimBlanks(componentList().ComponentNameAt(2)), "chlorobenzene");
    ui.onDialog(on<fRename>([](fRename& dialog) {
        EXPECT_EQ(dialog.OldName()->text(), QStringLiteral("chlorobenzene       "));
        dialog.typeFieldText(0, "water");
        dialog.confirm();
        dialog.typeFieldText(0, "  PhCl");
        dialog.confirm();
    }));
    editor->Rename_Click();
    EXPECT_EQ(ui.messages(), Texts{nameInUseMessage});
    EXPECT_EQ(componentList().ComponentNameAt(2), "  PhCl              ");
    EXPECT_EQ(editor->ComponentList()->item(1)->text(), QStringLiteral("  PhCl              "));
    EXPECT_EQ(selected(*editor), 1);

    ui.onDialog(on<fBuilder>([](fBuilder& step) {
        EXPECT_EQ(step.windowTitle(), QStringLiteral("Edit component"));
        EXPECT_TRUE(step.Command2()->isHidden());
        EXPECT_EQ(step.rowsInUse(), 2);
        EXPECT_EQ(step.TotalR()->text(), QStringLiteral("3.8127")); // 5·0.5313 + 1.1562
        click(*step.List1(), 53); // ACCl out
        step.confirm();
    }));
    editor->Edit_Click();
    EXPECT_EQ(trimBlanks(componentList().ComponentGroups(2)), "10,5;");
    EXPECT_EQ(editor->Preview()->text(), QStringLiteral("5 x ACH"));

    ui.onDialog(on<fBuilder>([](fBuilder& step) { step.Command1_Click(); }));
    editor->Edit_Click();
    EXPECT_EQ(trimBlanks(componentList().ComponentGroups(2)), "10,5;");

    ui.clear();
    for (const char* groups : {"abc", "85,1;", "1,1;2,1;3,1;4,1;5,1;6,1;7,1;8,1;9,1;"}) {
        componentList().SetComponentGroups(2, groups);
        editor->Edit_Click();
    }
    EXPECT_EQ(ui.messages(), (Texts{cannotEditMessage, cannotEditMessage, tooManySubgroupsMessage}));
}

// A typed name through the builder's name step and Finish (the editor's Add) and through the
// rename: the list keeps its first 20 characters, and a character among those that
// Windows-1252 cannot hold refuses it in both alike; white space alone, of any kind, is blank.
// Every refusal is said and the name is then typed again in the same dialog.
TEST_F(DatabaseEditorTest, NamesAreJudgedAsStoredByEveryEntry)
{
    const std::string blank = blankNameMessage, taken = nameInUseMessage, notStorable = nameNotStorableMessage;
    struct Case { std::string typed; std::string stored; Texts messages; }; // stored "": refused
    const std::vector<Case> cases = {
        {"Ethylene glycol mono α", "Ethylene glycol mono", {}}, // the α is the 22nd character
        {"Ethylene glycol α", "", {notStorable}},
        {"ethanol 🍷", "", {notStorable}},
        {"Crème brûlée € œ", "Crème brûlée € œ", {}}, // € and œ are Windows-1252, not Latin-1
        {"", "", {blank}},
        {"   ", "", {blank}},
        {"\u00A0\u00A0\u00A0", "", {blank}}, // no-break spaces, as a paste from a web page brings them
        {"\u00A0", "", {blank}},
        {"\u2003\u3000", "", {blank}}, // white space the file cannot hold is blank all the same
        {"\u00A0water\u00A0", "\u00A0water\u00A0", {}}, // kept and compared as typed among other characters
        {" water ", "", {taken}},
        {"chlorobenzene       ?", "", {taken}},
    };
    auto editor = openEditor();
    const auto resetList = [&] {
        componentList().ClearComponents();
        for (const DefaultComponent& component : defaultComponents())
            componentList().AddComponent(component.name, component.groups);
        editor->UpdateDBList();
        editor->ComponentList()->setCurrentRow(0);
        ui.clear();
    };
    for (const Case& c : cases) {
        const bool refused = c.stored.empty();
        const auto typeName = on<NameDialog>([&](NameDialog& dialog) {
            const QString preset = dialog.Tag;
            dialog.typeFieldText(0, c.typed);
            dialog.confirm();
            if (refused) {
                EXPECT_EQ(dialog.Tag, preset) << c.typed;
                dialog.typeFieldText(0, "corrected");
                dialog.confirm();
            }
        });
        const std::string expected = refused ? "corrected" : c.stored;

        resetList();
        ui.onDialog(typeName).onDialog(subgroupStep({17}));
        editor->Add_Click();
        EXPECT_EQ(ui.messages(), c.messages) << "builder: " << c.typed;
        EXPECT_EQ(trimBlanks(componentList().ComponentNameAt(7)), expected) << "builder: " << c.typed;

        resetList();
        ui.onDialog(typeName);
        editor->Rename_Click();
        EXPECT_EQ(ui.messages(), c.messages) << "rename: " << c.typed;
        EXPECT_EQ(trimBlanks(componentList().ComponentNameAt(1)), expected) << "rename: " << c.typed;
    }
}

TEST_F(DatabaseEditorTest, ANameThatLooksLikeMarkupIsShownAsTyped)
{
    const QString typed = QStringLiteral("<b>bold</b><i>x");
    const auto shownAsTyped = [&](const QLabel& label) {
        EXPECT_EQ(label.text().trimmed(), typed) << label.objectName().toStdString();
        EXPECT_EQ(label.textFormat(), Qt::PlainText) << label.objectName().toStdString();
    };
    auto editor = openEditor();
    ui.onDialog(nameStep(typed.toStdString())).onDialog(on<fBuilder>([&](fBuilder& step) {
        shownAsTyped(*step.CompName());
        click(*step.List1(), 16);
        step.confirm();
    }));
    editor->Add_Click();
    EXPECT_EQ(trimBlanks(componentList().ComponentNameAt(7)), typed.toStdString());
    editor->ComponentList()->setCurrentRow(6);
    ui.onDialog(on<fRename>([&](fRename& dialog) {
        shownAsTyped(*dialog.OldName());
        dialog.close();
    }));
    editor->Rename_Click();
    EXPECT_TRUE(ui.messages().empty());
}

// The name check counts as white space what the widgets count, over every code point.
TEST(NameWhiteSpace, IsWhatTheWidgetsCallSpace)
{
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string utf8 = QStringView(QChar::fromUcs4(c)).toString().toStdString();
        ASSERT_EQ(isAllWhiteSpace(utf8), QChar::isSpace(c)) << std::hex << static_cast<unsigned>(c);
    }
}

// A name the list refuses after its dialog let it pass (the builder's caption set by its caller,
// a rename answered without its check) is said, and the user is back where the name is typed.
TEST_F(DatabaseEditorTest, ANameTheListRefusesIsSaidAndTypedAgain)
{
    auto editor = openEditor();
    ui.onDialog(nameStep("snow"))
        .onDialog(on<fBuilder>([](fBuilder& step) {
            click(*step.List1(), 16);
            step.CompName()->setText(QStringLiteral("snow ☃"));
            step.confirm();
            EXPECT_EQ(step.Tag, QStringLiteral("1"));
        }))
        .onDialog(on<fUName>([](fUName& step) {
            EXPECT_EQ(step.NewName()->text(), QStringLiteral("snow"));
            step.confirm();
        }))
        .onDialog(on<fBuilder>([](fBuilder& step) { step.confirm(); }));
    editor->Add_Click();
    EXPECT_EQ(ui.messages(), Texts{nameNotStorableMessage});
    EXPECT_EQ(trimBlanks(componentList().ComponentNameAt(7)), "snow");

    ui.clear();
    editor->ComponentList()->setCurrentRow(0);
    ui.onDialog(on<fRename>([](fRename& dialog) {
          dialog.NewName()->setText(QStringLiteral("snow ☃"));
          dialog.Tag = QStringLiteral("1");
      }))
        .onDialog(nameStep("snowfall"));
    editor->Rename_Click();
    EXPECT_EQ(ui.messages(), Texts{nameNotStorableMessage});
    EXPECT_EQ(trimBlanks(componentList().ComponentNameAt(1)), "snowfall");
}

TEST_F(DatabaseEditorTest, ExitSavesAndAFailedSaveKeepsTheEditorOpen)
{
    // Too small for the list: the save fails before anything is renamed.
    constexpr rlim_t fullDisk = 100;
    auto editor = openEditor();
    editor->ComponentList()->setCurrentRow(0);
    editor->MoveDown_Click();
    {
        const calvex::testing::FileSizeLimit full(fullDisk);
        editor->Exit_Click();
    }
    EXPECT_EQ(ui.messages(), Texts{notSavedMessage});
    EXPECT_EQ(editor->Tag, QStringLiteral("-1"));
    editor->Exit_Click();
    EXPECT_EQ(editor->Tag, QStringLiteral("0"));

    // After a failed save, Esc or the frame leave the editor unsaved with the list kept.
    auto unsaved = openEditor();
    unsaved->ComponentList()->setCurrentRow(0);
    unsaved->MoveDown_Click();
    {
        const calvex::testing::FileSizeLimit full(fullDisk);
        unsaved->Exit_Click();
    }
    ui.clear();
    unsaved->reject();
    EXPECT_EQ(unsaved->Tag, QStringLiteral("0"));
    EXPECT_TRUE(ui.texts().empty());
    EXPECT_EQ(trimBlanks(componentList().ComponentNameAt(1)), "benzene");
    UnifacComponentList reloaded;
    ASSERT_EQ(LoadDatabase(reloaded, databaseFile()), DatabaseLoad::Loaded);
    EXPECT_EQ(trimBlanks(reloaded.ComponentNameAt(1)), "chlorobenzene");
}

// With no folder to write at all no later Exit could save: it says so once and closes, and the
// calculator goes on with the list in memory.
TEST_F(DatabaseEditorTest, ExitWithNoFolderToWriteSaysSoOnceAndCloses)
{
    folder.write(services::installedMarkerName, "");
    services::useUserFolder(folder.path(), std::nullopt);
    const std::string before = folder.read("DATABASE.UFC");
    auto editor = openEditor();
    editor->ComponentList()->setCurrentRow(0);
    editor->MoveDown_Click();
    editor->Exit_Click();
    EXPECT_EQ(ui.messages(), Texts{notSavedMessage});
    EXPECT_EQ(editor->Tag, QStringLiteral("0"));
    EXPECT_EQ(names(), "chlorobenzene;benzene;ethylbenzene;n-octane;toluene;water;");
    EXPECT_EQ(folder.read("DATABASE.UFC"), before);
}

// The program open twice: the other window saves while this one's editor is open.
TEST_F(DatabaseEditorTest, ExitAfterAnotherWindowsSaveKeepsTheComponentsOfBoth)
{
    const std::string defaults = "benzene;chlorobenzene;ethylbenzene;n-octane;toluene;water;";
    UnifacComponentList other;
    ASSERT_EQ(LoadDatabase(other, databaseFile()), DatabaseLoad::Loaded);
    auto editor = openEditor();
    ui.onDialog(nameStep("ProbeA")).onDialog(subgroupStep({17}));
    editor->Add_Click();
    other.AddComponent("ProbeB", "1,1;");
    ASSERT_TRUE(SaveDatabase(other, databaseFile()));
    editor->Exit_Click();
    EXPECT_EQ(editor->Tag, QStringLiteral("0"));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(names(), defaults + "ProbeB;ProbeA;");

    // Both change water, each its own way: this window's version is saved, and said so.
    auto again = openEditor();
    componentList().SetComponentGroups(6, "17,2;");
    other.SetComponentGroups(6, "16,1;");
    ASSERT_TRUE(SaveDatabase(other, databaseFile()));
    again->Exit_Click();
    EXPECT_EQ(ui.messages(),
              Texts{"The component database was also changed in another window of the program. The changes of both "
                    "are saved, except for these components, which the other window saved in another version under "
                    "the same name: they are saved as this window has them.\r\n\r\nwater"});
    UnifacComponentList saved;
    ASSERT_EQ(LoadDatabase(saved, databaseFile()), DatabaseLoad::Loaded);
    EXPECT_EQ(trimBlanks(saved.ComponentGroups(6)), "17,2;");
    EXPECT_EQ(saved.ComponentCount(), 8);
}

TEST_F(DatabaseEditorTest, TheCalculatorRefillsItsListsAfterTheEditor)
{
    choose(0, 1);
    ui.onDialog(on<fDatabase>([](fDatabase& editor) {
        editor.ComponentList()->setCurrentRow(0);
        editor.MoveDown_Click();
        editor.confirm();
    }));
    window->Toolbar3_ButtonClick(QStringLiteral("Database"));
    EXPECT_EQ(window->Component(3)->itemText(1).trimmed(), QStringLiteral("chlorobenzene"));
    EXPECT_EQ(window->Component(0)->currentIndex(), 0);
}

} // namespace
} // namespace calvex::unifac::testing
