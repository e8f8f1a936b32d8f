// The forms are laid out in pixels at 96 dpi (one pixel is 15 twips); these
// fit them to the screen and give them the system's dialog font.
#pragma once

class QFont;
class QWidget;

namespace tarnvel {

// "宋体" at 9 points, falling back to the CJK fonts a Linux desktop has.
QFont FormFont();

// Gives the form FormFont, scales the form's size and every child's
// geometry by the screen's logical dpi over 96, and then gives each label
// room for its whole text in that font.
void FitFormToScreen(QWidget* form);

}  // namespace tarnvel
