#include "tests/support/toolkit_display.h"

#ifdef TAVREL_HAS_VIEW

#include "tests/support/virtual_display.h"

// After the tests' headers: Xlib's macros would clash with their names.
#include <FL/Fl.H>
#include <FL/x.H>

namespace test_support {

bool OpenToolkitDisplay() {
    const char* display = ViewDisplay();
    if (!display) return false;
    Fl::display(display);
    fl_open_display();
    return true;
}

}  // namespace test_support

#endif  // TAVREL_HAS_VIEW
