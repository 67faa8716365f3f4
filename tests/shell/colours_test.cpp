// The windows with colours of their own, under a light and a dark desktop and after a switch
// between the two while they are open: every text reads on what it is drawn on, by WCAG 2.0's
// formula written out here, and the colours the design fixes stay.

#include "activity/parameterwindows.h"
#include "activity/vlewindow.h"
#include "mixture/windows/mixtureinputwindow.h"
#include "pure/purecalculatorwindow.h"
#include "shell/helptopics.h"
#include "shell/helpwindows.h"
#include "shell/startwindows.h"
#include "tests/activity/activityfixture.h"
#include "tests/support/scriptedui.h"
#include "unifac/componentbuilder.h"
#include "unifac/componentfile.h"
#include "unifac/databaseeditor.h"
#include "unifac/unifaccalculator.h"
#include "widgets/aboutbox.h"
#include "widgets/webbrowser.h"
#include "widgets/windowregistry.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QStyle>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace calvex {
namespace {

using Role = QPalette::ColorRole;

double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](int channel) {
            const double s = channel / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

constexpr double readable = 4.5;
// The binary windows' lists draw the design's own red: accepted on a light desktop, where it
// reads at 3.4:1 on a closed list's face.
constexpr double designRedOnLight = 3.3;

QPalette darkPalette()
{
    QPalette dark;
    for (const auto& [role, rgb] : std::initializer_list<std::pair<Role, QRgb>>{
             {Role::Window, 0x202020}, {Role::WindowText, 0xf0f0f0}, {Role::Base, 0x2a2a2a}, {Role::Text, 0xf0f0f0},
             {Role::Button, 0x353535}, {Role::ButtonText, 0xf0f0f0}, {Role::Link, 0x8ab4f8}})
        dark.setColor(role, QColor(rgb));
    return dark;
}

// A text and what it stands on, as the widget's palette holds them. `light`: the text colour a
// light desktop shows as designed; `fixed`: the pair the design fixes, whatever the desktop.
struct Pair {
    const char* window;
    const char* widget;
    Role text, background;
    std::optional<QColor> light{};
    std::optional<std::pair<QColor, QColor>> fixed{};
    double lightMinimum = readable;
    bool drawn = true; // a label, also read from its pixels
};

const QColor black(0, 0, 0), startGrey(224, 224, 224), lightBlue(128, 128, 255);
const Pair pairs[] = {
    {"pure", "Label1", Role::WindowText, Role::Window, QColor(0x1d, 0x3a, 0x5f)},
    {"mixture", "Label1", Role::WindowText, Role::Window, QColor(0x1d, 0x3a, 0x5f)},
    {"vle", "Label1", Role::WindowText, Role::Window, QColor(0xc0, 0, 0)},
    {"vle", "Label2", Role::WindowText, Role::Window, QColor(0, 0, 0xc0)},
    {"vle", "Combo2_0", Role::Text, Role::Button, QColor(255, 0, 0), {}, designRedOnLight},
    {"vle", "Combo2_0", Role::Text, Role::Base, QColor(255, 0, 0), {}, designRedOnLight, false},
    {"parameters", "Label1", Role::WindowText, Role::Window, QColor(0xc0, 0, 0)},
    {"datapoints", "Label1", Role::WindowText, Role::Window, QColor(0xc0, 0, 0)},
    {"unifac", "ActCoeff(0)", Role::WindowText, Role::Window, {}, std::pair{black, lightBlue}},
    {"unifac", "MoleFract(0)", Role::Text, Role::Base, {}, std::pair{black, lightBlue}, readable, false},
    {"unifac", "ActCoeff(1)", Role::WindowText, Role::Window, {}, std::pair{black, QColor(255, 255, 0)}},
    {"unifac", "MoleFract(1)", Role::Text, Role::Base, {}, {}, readable, false},
    {"unifacabout", "Label1", Role::WindowText, Role::Window, QColor(0, 0, 128)},
    {"editor", "Preview", Role::WindowText, Role::Window, {}, std::pair{black, QColor(255, 255, 255)}},
    {"splash", "Label4", Role::WindowText, Role::Window, {}, std::pair{black, startGrey}},
    {"splash", "Label5", Role::WindowText, Role::Window, {}, std::pair{black, startGrey}},
    {"splash", "Frame1", Role::Text, Role::Window, {}, std::pair{black, startGrey}},
    {"cover", "Label1", Role::WindowText, Role::Window, {}, std::pair{QColor(31, 78, 121), startGrey}},
    {"help", "TreeView1", Role::Text, Role::Base, {}, std::pair{QColor(0, 127, 0), QColor(255, 255, 255)}, readable, false},
};

// The rows of pixels through the text's stems (drawn in its very colour; the rest is smoothed
// into the background), each read against its commonest other colour, as a shaded face has.
void checkDrawn(const QWidget& shown, const QColor& text, double minimum, const std::string& where)
{
    const auto stem = [&](QRgb p) {
        return std::abs(qRed(p) - text.red()) + std::abs(qGreen(p) - text.green()) + std::abs(qBlue(p) - text.blue()) <= 3;
    };
    const QRect visible = shown.visibleRegion().boundingRect().translated(shown.mapTo(shown.window(), QPoint()));
    const QImage image = shown.window()->grab(visible).toImage();
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        std::map<QRgb, int> others;
        bool through = false;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & RGB_MASK;
            if (stem(pixel))
                through = true;
            else
                ++others[pixel];
        }
        if (!through || others.empty())
            continue; // a frame's line in the text's colour
        ++rows;
        const auto commonest = std::max_element(others.begin(), others.end(), [](auto& a, auto& b) { return a.second < b.second; });
        EXPECT_GE(contrast(text, QColor(commonest->first)), minimum) << where << ", row " << y;
    }
    EXPECT_GT(rows, 0) << where;
}

class Colours : public ::testing::Test {
protected:
    void SetUp() override
    {
        shell::registerHelpWindows();
        for (const std::string& page : shell::helpPageNames())
            folder.copyProgramFile(page);
        unifac::componentList().ClearComponents();
        for (const unifac::DefaultComponent& component : unifac::defaultComponents())
            unifac::componentList().AddComponent(component.name, component.groups);
        ASSERT_TRUE(unifac::SaveDatabase());
    }

    void TearDown() override { QApplication::setPalette(original); }

    void add(const char* name, QWidget* window)
    {
        window->show();
        windows[name] = window;
        owned.emplace_back(window);
    }

    void openWindows()
    {
        add("pure", new pure::PureCalculatorWindow(pure::PureWindowKind::MolarVolume));
        add("mixture", new mixture::MixtureInputWindow(mixture::MixtureWindowKind::BubblePressure));
        add("vle", new activity::VleWindow(activity::VleWindowKind::TxyMargules));
        add("parameters", new activity::ParametersForm1);
        add("datapoints", new activity::Datapoints);
        auto* calculator = new unifac::fMain;
        add("unifac", calculator);
        calculator->Form_Load();
        calculator->Component(1)->setCurrentIndex(2);
        calculator->Component_Click(1);
        calculator->ActCoeff(0)->setText(QStringLiteral("1.0000"));
        calculator->ActCoeff(1)->setText(QStringLiteral("1.2345"));
        add("unifacabout", new widgets::UnifacAboutBox);
        auto* editor = new unifac::fDatabase;
        add("editor", editor);
        editor->Preview()->setText(QStringLiteral("2 x CH3 ; 4 x CH2"));
        add("splash", new shell::CalvexStartup);
        auto* cover = new shell::calvexcover;
        add("cover", cover);
        cover->Label1->setText(QStringLiteral(" Calvex"));
        windows["help"] = widgets::WindowRegistry::instance().show(QStringLiteral("helpSoftware"));
    }

    void closeWindows()
    {
        owned.clear();
        widgets::WindowRegistry::instance().unload(windows.at("help"));
        windows.clear();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void checkWindows(bool light) const
    {
        const std::string scheme = light ? "light: " : "dark: ";
        for (const Pair& pair : pairs) {
            const std::string where = scheme + pair.window + " " + pair.widget;
            QWidget* window = windows.at(pair.window);
            const QWidget* shown = window->objectName() == pair.widget ? window : window->findChild<QWidget*>(pair.widget);
            ASSERT_NE(shown, nullptr) << where;
            const QColor text = shown->palette().color(pair.text), background = shown->palette().color(pair.background);
            const double minimum = light ? pair.lightMinimum : readable;
            EXPECT_GE(contrast(text, background), minimum) << where;
            EXPECT_TRUE(!pair.fixed || std::pair(text, background) == *pair.fixed) << where;
            EXPECT_TRUE(!pair.light || !light || text == *pair.light) << where << ": " << text.name().toStdString();
            if (pair.drawn)
                checkDrawn(*shown, text, minimum, where);
        }
        checkPages(scheme);
    }

    // Every text of the help pages (in the help window's browser) and of the report templates
    // (in one with the desktop's colours, as the result viewer's): its own colour or the
    // browser's, on its cell's, its page's or the browser's background. Qt draws a list's marks
    // in the browser's text colour.
    void checkPages(const std::string& scheme) const
    {
        widgets::WebBrowser viewer;
        auto* help = windows.at("help")->findChild<widgets::WebBrowser*>(QStringLiteral("brwWebBrowser"));
        const std::vector<std::string> helpPages = shell::helpPageNames();
        const QDir built(QString::fromStdString(testing::ScratchFolder::builtProgramFolder().string()));
        const QStringList pages = built.entryList({QStringLiteral("*.htm")});
        ASSERT_GE(pages.size(), 30);
        for (const QString& page : pages) {
            const std::string where = scheme + page.toStdString();
            widgets::WebBrowser& browser = std::count(helpPages.begin(), helpPages.end(), page.toStdString()) ? *help : viewer;
            browser.Navigate(built.filePath(page));
            const QBrush pageBrush = browser.document()->rootFrame()->frameFormat().background();
            const QColor pageColour = pageBrush.style() == Qt::NoBrush ? browser.palette().color(Role::Base) : pageBrush.color();
            const QColor browserText = browser.palette().color(Role::Text);
            for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
                QColor background = pageColour;
                if (auto* table = qobject_cast<QTextTable*>(QTextCursor(block).currentFrame()))
                    if (const QBrush cell = table->cellAt(block.position()).format().background(); cell.style() != Qt::NoBrush)
                        background = cell.color();
                if (block.textList()) {
                    EXPECT_GE(contrast(browserText, background), readable) << where << ", mark of " << block.text().toStdString();
                }
                for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                    const QBrush ink = fragment.fragment().charFormat().foreground();
                    if (fragment.fragment().text().trimmed().isEmpty())
                        continue; // a blank draws nothing
                    EXPECT_GE(contrast(ink.style() == Qt::NoBrush ? browserText : ink.color(), background), readable)
                        << where << ", " << fragment.fragment().text().toStdString();
                }
            }
        }
    }

    QPalette original = QApplication::palette();
    testing::ActivityFixtureFolder folder;
    testing::ScriptedUi ui;
    std::vector<std::unique_ptr<QWidget>> owned;
    std::map<std::string, QWidget*> windows;
};

TEST_F(Colours, EveryTextReadsUnderALightAndADarkDesktopAndAfterASwitchBetweenThem)
{
    const QPalette light = QApplication::style()->standardPalette(), dark = darkPalette();
    for (const bool lightFirst : {true, false}) {
        // A desktop's new colours reach the windows as posted events.
        QApplication::setPalette(lightFirst ? light : dark);
        QApplication::processEvents();
        openWindows();
        checkWindows(lightFirst);
        QApplication::setPalette(lightFirst ? dark : light);
        QApplication::processEvents();
        checkWindows(!lightFirst);
        closeWindows();
    }
}

} // namespace
} // namespace calvex
