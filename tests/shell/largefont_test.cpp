// The windows of a fixed size at a 13 pt desktop font, the largest the program is laid out for
// (GNOME and KDE use 10 to 11 pt): every label and button shows its whole text.
#include "tests/shell/shellfixture.h"
#include "widgets/aboutbox.h"
#include "widgets/constantsdialog.h"
#include "widgets/dialogwindows.h"
#include "widgets/keybutton.h"
#include "widgets/resultviewer.h"
#include "widgets/viewerwindows.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>

#include <functional>
#include <memory>

namespace calvex::shell::testing {
namespace {

// Where the control draws its text, and what the text takes there: a wrapping label breaks it at
// its width; a button centres it in its contents, and a plot button wraps it inside a margin
// there, in bold under the pointer.
std::pair<QRect, QRect> textPlace(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const int margin = label->margin();
        const QRect inside = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        return {inside, label->fontMetrics().boundingRect(QRect(inside.topLeft(), QSize(inside.width(), 100000)),
                                                          flags, label->text())};
    }
    const auto& button = static_cast<const QPushButton&>(control);
    QStyleOptionButton option;
    option.initFrom(&button);
    const QRect contents = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    if (!qobject_cast<const widgets::KeyButton*>(&button))
        return {contents,
                button.fontMetrics().boundingRect(contents, Qt::AlignCenter | Qt::TextShowMnemonic, button.text())};
    const QRect face = contents.adjusted(widgets::KeyButton::faceMargin, 0, -widgets::KeyButton::faceMargin, 0);
    QFont bold = button.font();
    bold.setBold(true);
    return {face, QFontMetrics(bold).boundingRect(face, Qt::AlignCenter | Qt::TextWordWrap, button.text())};
}

class LargeDesktopFont : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        standInsForAll();
        widgets::registerViewerWindows();
        widgets::registerDialogWindows();
        QFont large = m_font;
        large.setPointSizeF(13);
        QApplication::setFont(large);
    }
    void TearDown() override
    {
        m_unifacAbout.reset();
        QApplication::setFont(m_font);
        ShellTest::TearDown();
    }

    const QFont m_font = QApplication::font();
    std::unique_ptr<widgets::UnifacAboutBox> m_unifacAbout;
};

TEST_F(LargeDesktopFont, FixedWindowsShowTheirWholeText)
{
    const std::vector<std::pair<const char*, std::function<QWidget*()>>> rows = {
        {"the frame's status bar", [this] { return openFrame()->StatusBar3; }},
        {"frmAbout", [this] { return registry.show("frmAbout"); }},
        {"frmAbout of the chart window",
         [this] {
             registry.unload("frmAbout");
             widgets::showAboutBoxModeless(QStringLiteral("Graph Plotter "));
             return registry.find("frmAbout");
         }},
        {"fAbout",
         [this] {
             m_unifacAbout = std::make_unique<widgets::UnifacAboutBox>();
             m_unifacAbout->show();
             return m_unifacAbout.get();
         }},
        {"GetPcTcOmega", [this] { return registry.show(widgets::ConstantsDialog::instanceName(0)); }},
        {"InputABCD", [this] { return registry.show("InputABCD"); }},
        {"the result viewer's plot buttons",
         [this] {
             auto* viewer = registry.loadAs<widgets::frmTextEditor>("frmTextEditor");
             registry.show("frmTextEditor");
             viewer->Text1()->setText("3"); // the longest caption, "Plot Saturation Temperature vs P"
             viewer->findChild<QAction*>("Plot")->trigger();
             return viewer->findChild<QGroupBox*>("Frame1");
         }},
    };
    for (const auto& [what, open] : rows) {
        QWidget* window = open();
        ASSERT_NE(window, nullptr) << what;
        int checked = 0;
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            const QString text = control->property("text").toString();
            if (text.isEmpty() || !control->isVisible()
                || !(qobject_cast<const QLabel*>(control) || qobject_cast<const QPushButton*>(control)))
                continue;
            ++checked;
            const auto [inside, taken] = textPlace(*control);
            EXPECT_LE(taken.width(), inside.width()) << what << ": " << text.toStdString();
            EXPECT_LE(taken.height(), inside.height()) << what << ": " << text.toStdString();
        }
        EXPECT_GT(checked, 0) << what;
    }
}

} // namespace
} // namespace calvex::shell::testing
