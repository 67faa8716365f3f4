#pragma once
// The about boxes. frmAbout is the program's: title, version, credit lines, a legal notice,
// kept above other windows, with a button that starts the desktop's system-information
// program. fAbout is the UNIFAC calculator's own box, created anew for each use.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace calvex::widgets {

inline constexpr const char* productTitle = "Calvex";
inline constexpr const char* sysInfoUnavailableText = "System Information Is Unavailable At This Time";

// "Version " and the program's major.minor.revision numbers.
QString versionText();

class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    QLabel* picIcon(int index) const { return index == 0 ? m_icon0 : index == 1 ? m_icon1 : nullptr; }
    QLabel* lblTitle() const { return m_title; }
    QLabel* lblVersion() const { return m_version; }
    QLabel* lblDescription() const { return m_description; }
    QLabel* Label1() const { return m_notice; }
    QPushButton* cmdOK() const { return m_ok; }
    QPushButton* cmdSysInfo() const { return m_sysInfo; }

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    // Every way of closing the box (OK, Escape, the title bar) unloads it, so the next opening
    // loads it afresh with the product title.
    void done(int result) override;

protected:
    // Grows with its text before the dialog is centred: a caller may have changed the title.
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_icon0;
    QLabel* m_icon1;
    QLabel* m_title;
    QLabel* m_version;
    QLabel* m_description;
    QLabel* m_notice;
    QPushButton* m_ok;
    QPushButton* m_sysInfo;
};

// Starts the first system-information program found on PATH without waiting for it; when none
// can be started, says so in a message.
void StartSysInfo();

// The program names StartSysInfo looks for, in order.
const QStringList& systemInformationPrograms();

// The frame's About item and the toolbar's and result viewer's about buttons: frmAbout,
// modally. When the box is already shown without waiting, it is brought to the front instead.
void showAboutBox();

// The chart window's about button: frmAbout with `title` in place of the product title, shown
// without waiting.
void showAboutBoxModeless(const QString& title);

class UnifacAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit UnifacAboutBox(QWidget* parent = nullptr);

    QLabel* Label1() const { return m_heading; }
    QLabel* Label4() const { return m_text; }
    QPushButton* BtnOK() const { return m_ok; }

    void Form_Load();
    void BtnOK_Click();

private:
    QLabel* m_heading;
    QLabel* m_text;
    QPushButton* m_ok;
};

// The UNIFAC calculator's About button: a new fAbout, modally, gone when closed.
void showUnifacAbout(QWidget* parent = nullptr);

} // namespace calvex::widgets
