#pragma once
// The launcher `MAINMENUFORM`: three category buttons whose panels of calculator buttons show
// on hover and when the keyboard reaches the category button, a clock button, and a click on a
// calculator button that closes every other window and opens that calculator. Tab goes from
// each category button through its panel's buttons.

#include "widgets/keybutton.h"
#include "widgets/windowregistry.h"

#include <QWidget>

#include <array>
#include <vector>

class QGroupBox;
class QTimer;

namespace calvex::shell {

class MAINMENUFORM : public QWidget, public widgets::LoadHandler {
    Q_OBJECT

public:
    static constexpr int keyCount = 32;

    MAINMENUFORM();

    void Form_Load() override;
    void key_Click(int Index);
    void key_MouseMove(int Index);
    void key_KeyboardReached(int Index);
    void tmrCurrTime_Timer();

    // The index of the button with the hover highlight; it lives as long as the program.
    static int highlightIndex() { return s_highlight; }

    std::vector<widgets::KeyButton*> key;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QTimer* tmrCurrTime = nullptr;

protected:
    bool focusNextPrevChild(bool next) override;

private:
    // Shows the panel of category button `Index`; any other index leaves the panels as they are.
    void showPanelOf(int Index);
    void showPanel(const QGroupBox* panel);

    bool m_changingPanels = false;
    static int s_highlight;
};

} // namespace calvex::shell
