#pragma once
// What the window manager is told about a shown window: which title-bar commands it offers
// (no close box where the model has removed Close; no maximize on a fixed border) and whether
// it stays above ordinary windows; and where the keyboard goes.

class Fl_Window;

namespace view {

void SetTitleBarCommands(Fl_Window& window, bool close_box, bool minimize);
void SetStaysOnTop(Fl_Window& window, bool on_top);
// The same for a window that the toolkit has only just asked to map, before the window manager
// has taken it: the state goes with the window, so it comes up above the others at once.
void StartOnTop(Fl_Window& window);

// The keyboard to a window that has just opened: the window manager is asked to activate it,
// or with none, the window takes the input focus itself.
void TakeKeyboard(Fl_Window& window);
// A click into a window gives it the keyboard, as a window manager would; with one running
// there is nothing to do.
void FocusOnClick(Fl_Window& window);

}  // namespace view
