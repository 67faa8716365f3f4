#pragma once
// What the mixture window tests share: a program folder whose database holds rows copied from
// the shipped components.csv, probe templates for the mixture reports, the eighteen windows
// registered, and the steps a user takes in them.

#include "mixture/windows/componentselectionwindow.h"
#include "mixture/windows/mixtureinputwindow.h"
#include "tests/pure/purefixture.h"
#include "tests/support/calculatorwindowtest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace calvex::mixture::testing {

using Texts = std::vector<std::string>;

// SNOs of the fixture rows.
inline constexpr int methaneSno = 23;
inline constexpr int ethaneSno = 58;
inline constexpr int propaneSno = 79;
inline constexpr int butaneSno = 109;
inline constexpr int nitrogenSno = 336;
inline constexpr int airSno = 345; // its acentric factor is 0

class MixtureFixtureFolder : public calvex::testing::PureFixtureFolder {
public:
    MixtureFixtureFolder();
};

// A dialog script that types the given texts into the boxes they name and confirms.
calvex::testing::ScriptedUi::DialogScript fillDialog(std::vector<std::pair<int, std::string>> boxes);

// The windows are reached through the window registry, as the program reaches them.
class MixtureWindowTest : public calvex::testing::CalculatorWindowTest<MixtureInputWindow> {
protected:
    static void SetUpTestSuite();
    // Every window closed and the texts shown forgotten, for the next row of a table.
    void restart();

    // The input window of `kind`, shown as its menu item shows it.
    MixtureInputWindow& open(MixtureWindowKind kind);
    void setCount(const QString& count);
    void setTemperature(const QString& text, const QString& unit = QStringLiteral("kelvin"));
    void setPressure(const QString& text, const QString& unit = QStringLiteral("bar"));
    void chooseEquation(int option);
    // Command1 of the input window; the selection window it fills, or nullptr.
    ComponentSelectionWindow* fillSelection();
    ComponentSelectionWindow* selection() const;
    void choose(int slot, const QString& component);
    // Clears the box with Backspace, then types `text` key by key.
    void typeFraction(int slot, const QString& text);
    void calculate();
    // A mixture chosen and typed in one go: names and fraction texts, slot by slot.
    void mixture(const std::vector<std::pair<QString, QString>>& components);

    MixtureFixtureFolder folder;
    MixtureInputWindow* input = nullptr;
};

} // namespace calvex::mixture::testing
