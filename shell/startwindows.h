#pragma once
// The two windows shown before the frame: the cover `calvexcover`, which types the product
// name under its title picture, and the splash `CalvexStartup`, which types the title and a
// credit line while the title's colour cycles. Each hands over to the next window when its
// typing is complete, or at once on a click or key press, and unloads itself.

#include "widgets/windowregistry.h"

#include <QString>
#include <QWidget>

#include <cstdint>

class QLabel;
class QTimer;

namespace calvex::shell {

class StartWindow : public QWidget, public widgets::LoadHandler, public widgets::UnloadHandler {
    Q_OBJECT

public:
    void Form_Click() { handOver(); }
    void Form_KeyPress() { handOver(); }
    void Form_Unload() override;

    QTimer* Timer3 = nullptr;

protected:
    StartWindow(double widthTwips, double heightTwips);
    // Shows the next window, then unloads this one.
    virtual void handOver() = 0;
    void handOverTo(const QString& next);
    QLabel* addLabel(const QString& objectName, const QFont& font);

    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    std::int16_t m_counter = 0;
};

class calvexcover : public StartWindow {
    Q_OBJECT

public:
    calvexcover();
    void Form_Load() override;
    void Timer3_Timer();

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;

protected:
    void handOver() override;

private:
    QString m_coverText;
};

class CalvexStartup : public StartWindow {
    Q_OBJECT

public:
    CalvexStartup();
    void Form_Load() override;
    void Timer3_Timer();
    void Timer4_Timer();
    void Form_Unload() override;

    // The neutral credit line: exactly 40 characters ending in blanks.
    static const QString creditText;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Picture2 = nullptr;
    QTimer* Timer4 = nullptr;

protected:
    void handOver() override;

private:
    QString m_titleText;
    QString m_credit;
    std::int16_t m_red = 0;
    std::int16_t m_blue = 0;
    std::int16_t m_green = 255;
};

} // namespace calvex::shell
