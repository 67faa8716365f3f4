#pragma once
// The frame's menu tree: every item with its caption, control name (the action's or menu's
// objectName), shortcut and what choosing it does.

#include "shell/windowswitching.h"

#include <functional>
#include <vector>

class QMenuBar;

namespace calvex::shell {

enum class FrameAction { Submenu, Calculator, DesktopCalculator, About, Help, Exit };

struct FrameMenuItem {
    int level;
    const char* caption;
    const char* control;
    const char* shortcut; // empty: none
    FrameAction action;
    CalculatorChoice choice;
};

const std::vector<FrameMenuItem>& frameMenuItems();

// Fills `bar` with the tree; choosing an item calls `choose` with it.
void buildFrameMenu(QMenuBar* bar, const std::function<void(const FrameMenuItem&)>& choose);

} // namespace calvex::shell
