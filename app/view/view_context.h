#pragma once
// What every piece of the desktop view shares: the fonts, whether a person drives the windows,
// the menu that is pulled down, and the way a person's input reaches the model.

#include <functional>
#include <string>

#include "app/view/fonts.h"

namespace forms {
class Control;
}

namespace view {

class Pulldowns;

struct ViewContext {
    FontBook& fonts;
    bool interactive = true;  // false while a script drives the program: the windows only show
    int twips_per_pixel = 15;
    Pulldowns* pulldowns = nullptr;  // the menu that is down, if any

    int pixels(double twips) const;
};

// Runs what a person did to a control in the loop's next round, if the control still takes
// input then (its window shown, it and its holders visible and enabled, no box open).
void PostInput(forms::Control& control, std::function<void()> action);

// True when no window of the program takes input now: a box is open.
bool InputHeld();

// Where a picture's file is found: the program's folder, then the assets shipped beside the
// program or in the source tree; empty when nowhere.
std::string FindAsset(const std::string& name);

// The program icon's picture among the assets: every window with a title bar shows it.
constexpr const char* kProgramIcon = "icon.png";

// Model text (Windows-1252) for a widget label or value, and back. Labels keep '@' literal.
std::string ScreenText(const std::string& cp1252);
std::string LabelText(const std::string& cp1252);
// What a person typed, as the model's text: characters that Windows-1252 lacks become '?'.
std::string ModelText(const std::string& utf8);
// Line breaks as the screen draws them: "\r\n" and a lone "\r" become "\n".
std::string ScreenLines(const std::string& cp1252);

}  // namespace view
