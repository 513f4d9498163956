#include "tests/support/toolkit_display.h"

#ifdef TAVREL_HAS_VIEW

#include "tests/support/virtual_display.h"

// After the tests' headers: Xlib's macros would clash with their names.
#include <FL/Fl.H>
#include <FL/x.H>

// The font system keeps its configuration until the process ends; none of it is the tests'.
// The leak checker of the sanitizer build asks for these, as the program's runs are given
// tests/view/leaks.supp.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

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
