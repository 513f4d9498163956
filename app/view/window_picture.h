#pragma once
// Pictures of the view's windows, drawn afresh off the screen (so windows in front do not get
// in the way) and written as PNG files: for demonstrations and for the view's own test.

#include <string>

class Fl_RGB_Image;
class Fl_Window;

namespace view {

// The window's client area, menu bar included; false when it cannot be drawn or written.
bool WriteWindowPicture(Fl_Window& window, const std::string& path);

// The picture as the window's icon holds it, its transparency dropped.
bool WriteIconPicture(const Fl_RGB_Image& icon, const std::string& path);

// An 8-bit RGB picture, rows top to bottom.
bool WritePng(const std::string& path, int width, int height, const unsigned char* rgb);

}  // namespace view
