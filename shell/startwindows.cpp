#include "shell/startwindows.h"

#include "widgets/colours.h"
#include "widgets/pictures.h"
#include "widgets/windownames.h"
#include "widgets/windowplacement.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace calvex::shell {
namespace {

const QColor startBackground(224, 224, 224);
// The texts whose colour the design leaves to the desktop, in the window text of the light
// desktop that the background was chosen for.
const QColor startText(0, 0, 0);
const QColor creditColour(200, 20, 20);

void setLabelColour(QLabel* label, const QColor& colour) { widgets::setFixedColours(*label, colour, startBackground); }

QFont fontOf(const char* family, double points, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

StartWindow::StartWindow(double widthTwips, double heightTwips)
{
    setWindowTitle(widgets::frameCaption);
    setWindowIcon(widgets::pictureIcon(QStringLiteral("calvex")));
    setFixedSize(widgets::sizeFromTwips(*this, widthTwips, heightTwips));
    widgets::setFixedColours(*this, startText, startBackground);
    Timer3 = new QTimer(this);
    Timer3->setInterval(100);
}

void StartWindow::Form_Unload() { Timer3->stop(); }

void StartWindow::handOverTo(const QString& next)
{
    Timer3->stop();
    widgets::WindowRegistry::instance().show(next);
    widgets::WindowRegistry::instance().unload(this);
}

QLabel* StartWindow::addLabel(const QString& objectName, const QFont& font)
{
    auto* label = new QLabel(this);
    label->setObjectName(objectName);
    label->setFont(font);
    // A click on a label is a click on the window.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void StartWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
}

void StartWindow::keyPressEvent(QKeyEvent* event)
{
    // Only keys that type a character count, as a key press does.
    if (!event->text().isEmpty())
        Form_KeyPress();
    else
        QWidget::keyPressEvent(event);
}

calvexcover::calvexcover() : StartWindow(5355, 5595)
{
    Picture1 = addLabel(QStringLiteral("Picture1"), font());
    widgets::placeInTwips(*Picture1, {240, 240, 4875, 4215});
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(widgets::picture(QStringLiteral("cover"))
                            .scaled(Picture1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    Label1 = addLabel(QStringLiteral("Label1"), fontOf("Verdana", 24, true));
    widgets::placeInTwips(*Label1, {240, 4575, 4875, 780});
    Label1->setAlignment(Qt::AlignCenter);
    setLabelColour(Label1, QColor(31, 78, 121));

    connect(Timer3, &QTimer::timeout, this, &calvexcover::Timer3_Timer);
}

void calvexcover::Form_Load()
{
    m_counter = 0;
    widgets::placeOnScreen(*this);
    m_coverText = QStringLiteral(" Calvex");
    Timer3->start();
}

void calvexcover::Timer3_Timer()
{
    if (Label1->text().size() == m_coverText.size()) {
        handOver();
        return;
    }
    Label1->setText(m_coverText.left(m_counter));
    ++m_counter;
}

void calvexcover::handOver() { handOverTo(widgets::splashWindow); }

const QString CalvexStartup::creditText = QStringLiteral("The Calvex developers and contributors  ");

CalvexStartup::CalvexStartup() : StartWindow(9390, 4755)
{
    Label1 = addLabel(QStringLiteral("Label1"), fontOf("Verdana", 24));
    widgets::placeInTwips(*Label1, {0, 120, 9390, 720});
    Label1->setAlignment(Qt::AlignCenter);

    auto* details = new QGroupBox(QStringLiteral("Software Details"), this);
    details->setObjectName(QStringLiteral("Frame1"));
    widgets::placeInTwips(*details, {360, 960, 8670, 2895});
    details->setAttribute(Qt::WA_TransparentForMouseEvents);

    Picture2 = new QLabel(details);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    widgets::placeInTwips(*Picture2, {240, 480, 1800, 1800});
    Picture2->setAlignment(Qt::AlignCenter);
    Picture2->setPixmap(widgets::picture(QStringLiteral("splash"))
                            .scaled(Picture2->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    const QStringList lines = {
        QStringLiteral("This software accompanies a textbook of chemical engineering thermodynamics."),
        QStringLiteral("Textbook: its title and author as printed on the cover of your copy."),
        QStringLiteral("For equations of state, phase equilibrium and activity-coefficient models."),
        QStringLiteral("Published together with the textbook's companion materials."),
    };
    for (int line = 0; line < lines.size(); ++line) {
        auto* label = new QLabel(lines[line], details);
        label->setObjectName(QStringLiteral("Label%1").arg(5 + line));
        label->setFont(fontOf("Verdana", 8.25, line == 1));
        label->setWordWrap(true);
        widgets::placeInTwips(*label, {2280, 420.0 + 570.0 * line, 6150, 540});
    }

    Label4 = addLabel(QStringLiteral("Label4"), fontOf("MS Sans Serif", 9.75, true));
    Label4->setText(QStringLiteral("Software Developed by"));
    widgets::placeInTwips(*Label4, {360, 4005, 2640, 375});

    Label2 = addLabel(QStringLiteral("Label2"), fontOf("MS Sans Serif", 9.75));
    widgets::placeInTwips(*Label2, {3000, 4005, 6030, 375});
    setLabelColour(Label2, creditColour);

    Timer4 = new QTimer(this);
    Timer4->setInterval(1);
    connect(Timer3, &QTimer::timeout, this, &CalvexStartup::Timer3_Timer);
    connect(Timer4, &QTimer::timeout, this, &CalvexStartup::Timer4_Timer);
}

void CalvexStartup::Form_Load()
{
    m_green = 255;
    m_red = 0;
    m_blue = 0;
    widgets::placeOnScreen(*this);
    m_counter = 0;
    m_titleText = QStringLiteral(" Calvex ");
    m_credit = creditText;
    Timer3->start();
    Timer4->start();
}

void CalvexStartup::Timer3_Timer()
{
    if (Label2->text().size() == m_credit.size()) {
        handOver();
        return;
    }
    Label1->setText(m_titleText.left(m_counter));
    Label2->setText(m_credit.left(m_counter));
    ++m_counter;
}

void CalvexStartup::Timer4_Timer()
{
    if (++m_red == 255)
        m_red = 0;
    if (++m_blue == 255)
        m_blue = 0;
    if (--m_green == 0)
        m_green = 255;
    setLabelColour(Label1, QColor(m_red, m_green, m_blue));
    setLabelColour(Label2, creditColour);
}

void CalvexStartup::Form_Unload()
{
    StartWindow::Form_Unload();
    Timer4->stop();
}

void CalvexStartup::handOver()
{
    Timer4->stop();
    handOverTo(widgets::frameWindow);
}

} // namespace calvex::shell
