#pragma once
// What the window manager is told about a shown window: which title-bar commands it offers
// (no close box where the model has removed Close; no maximize on a fixed border) and whether
// it stays above ordinary windows.

class Fl_Window;

namespace view {

void SetTitleBarCommands(Fl_Window& window, bool close_box, bool minimize);
void SetStaysOnTop(Fl_Window& window, bool on_top);

}  // namespace view
