#include "widgets/aboutbox.h"

#include "services/ui.h"
#include "widgets/colours.h"
#include "widgets/pictures.h"
#include "widgets/textfit.h"
#include "widgets/windowhistory.h"
#include "widgets/windowplacement.h"
#include "widgets/windowregistry.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace calvex::widgets {
namespace {

constexpr const char* aboutBoxName = "frmAbout";

QLabel* addLabel(QWidget& parent, const QString& text, double left, double top, double width, double height)
{
    auto* label = new QLabel(text, &parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeInTwips(*label, {left, top, width, height});
    return label;
}

QPushButton* addButton(QWidget& parent, const QString& caption, const char* name, double left, double top)
{
    auto* button = new QPushButton(caption, &parent);
    button->setObjectName(QString::fromLatin1(name));
    placeInTwips(*button, {left, top, 1260, 375});
    return button;
}

} // namespace

QString versionText()
{
    return QStringLiteral("Version %1.%2.%3").arg(CALVEX_VERSION_MAJOR).arg(CALVEX_VERSION_MINOR).arg(CALVEX_VERSION_PATCH);
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    fixInnerSizeInTwips(*this, 5730, 3840);

    m_icon0 = new QLabel(this);
    m_icon0->setObjectName(QStringLiteral("picIcon_0"));
    placeInTwips(*m_icon0, {240, 240, 540, 540});
    m_icon0->setPixmap(pictureIcon(QStringLiteral("calvex")).pixmap(m_icon0->size()));
    m_icon1 = new QLabel(this);
    m_icon1->setObjectName(QStringLiteral("picIcon_1"));
    m_icon1->hide();

    m_title = addLabel(*this, {}, 1050, 200, 4440, 480);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_version = addLabel(*this, {}, 1050, 720, 4440, 300);
    m_version->setObjectName(QStringLiteral("lblVersion"));

    m_description = addLabel(*this,
                             QStringLiteral("Physical properties and phase equilibria of pure fluids and mixtures: "
                                            "cubic equations of state, activity-coefficient models and UNIFAC."),
                             1050, 1080, 4440, 720);
    m_description->setObjectName(QStringLiteral("lblDescription"));
    addLabel(*this, QStringLiteral("Written to accompany a course in chemical engineering thermodynamics."), 1050,
             1860, 4440, 480)
        ->setObjectName(QStringLiteral("Label2"));
    addLabel(*this, QStringLiteral("Calvex developers"), 1050, 2400, 2700, 255)->setObjectName(QStringLiteral("Label3"));
    addLabel(*this, QStringLiteral("2026"), 3900, 2400, 1590, 255)->setObjectName(QStringLiteral("Label4"));

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    placeInTwips(*rule, {240, 2760, 5250, 30});

    m_notice = addLabel(*this, {}, 240, 2880, 3840, 840);
    m_notice->setObjectName(QStringLiteral("Label1"));
    QFont noticeFont = m_notice->font();
    noticeFont.setPointSizeF(noticeFont.pointSizeF() * 0.85);
    m_notice->setFont(noticeFont);

    m_ok = addButton(*this, QStringLiteral("OK"), "cmdOK", 4230, 2880);
    m_ok->setDefault(true);
    m_sysInfo = addButton(*this, QStringLiteral("&System Info..."), "cmdSysInfo", 4230, 3345);
    connect(m_ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_sysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    Form_Load();
}

void AboutBox::Form_Load()
{
    setWindowTitle(QStringLiteral("about") + QString::fromLatin1(productTitle));
    m_version->setText(versionText());
    m_title->setText(QString::fromLatin1(productTitle));
    m_notice->setText(QStringLiteral("This program is provided as is, without warranty of any kind; check its "
                                     "results before you rely on them."));
    // Above every window where the window manager honours the hint (X11); Wayland leaves the
    // stacking to the compositor, which keeps the box above its parent only.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void AboutBox::showEvent(QShowEvent* event)
{
    growWithText(*this);
    QDialog::showEvent(event);
}

void AboutBox::cmdOK_Click() { done(QDialog::Accepted); }

void AboutBox::cmdSysInfo_Click() { StartSysInfo(); }

void AboutBox::done(int result)
{
    QDialog::done(result);
    auto& registry = WindowRegistry::instance();
    if (registry.find(objectName()) == this)
        registry.unload(this);
}

const QStringList& systemInformationPrograms()
{
    static const QStringList programs{QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
                                      QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor")};
    return programs;
}

void StartSysInfo()
{
    for (const QString& program : systemInformationPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
    services::ui().message(sysInfoUnavailableText);
}

void showAboutBox()
{
    QPointer<AboutBox> box = WindowRegistry::instance().loadAs<AboutBox>(QString::fromLatin1(aboutBoxName));
    if (!box)
        return;
    if (box->isVisible()) {
        box->raise();
        box->activateWindow();
        return;
    }
    box->exec();
}

void showAboutBoxModeless(const QString& title)
{
    AboutBox* box = WindowRegistry::instance().loadAs<AboutBox>(QString::fromLatin1(aboutBoxName));
    if (!box)
        return;
    box->lblTitle()->setText(title);
    box->show();
    box->raise();
}

UnifacAboutBox::UnifacAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fAbout"));
    setWindowTitle(QStringLiteral("About UNIFAC Calculator"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    fixInnerSizeInTwips(*this, 7200, 2280);

    m_heading = addLabel(*this, QStringLiteral("UNIFAC Activity Coefficient Calculator"), 240, 240, 6720, 480);
    m_heading->setObjectName(QStringLiteral("Label1"));
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPointSizeF(13.5);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    setTextColour(*m_heading, QColor(0, 0, 128));

    m_text = addLabel(*this,
                      QStringLiteral("This program was developed to give a user-freindly interface to calculating "
                                     "activity coefficients using the UNIFAC method."),
                      240, 840, 6720, 720);
    m_text->setObjectName(QStringLiteral("Label4"));
    QFont textFont(QStringLiteral("Arial"));
    textFont.setPointSizeF(7.5);
    m_text->setFont(textFont);

    m_ok = addButton(*this, QStringLiteral("OK"), "BtnOK", 5700, 1680);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { BtnOK_Click(); });
    growWithText(*this);
    Form_Load();
}

void UnifacAboutBox::Form_Load() { placeOnScreen(*this, 3); }

void UnifacAboutBox::BtnOK_Click() { accept(); }

void showUnifacAbout(QWidget* parent)
{
    UnifacAboutBox box(dialogParent(parent));
    box.exec();
}

} // namespace calvex::widgets
