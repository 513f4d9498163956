#include "app/view/window_hints.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>

namespace view {

namespace {

// The Motif hints most window managers read for the title bar's commands.
struct MotifHints {
    unsigned long flags;
    unsigned long functions;
    unsigned long decorations;
    long input_mode;
    unsigned long status;
};
constexpr unsigned long kHintFunctions = 1, kHintDecorations = 2;
constexpr unsigned long kFunctionMove = 4, kFunctionMinimize = 8, kFunctionClose = 32;
constexpr unsigned long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32;

}  // namespace

void SetTitleBarCommands(Fl_Window& window, bool close_box, bool minimize) {
    if (!window.shown() || !window.border()) return;
    MotifHints hints{
        kHintFunctions | kHintDecorations,
        kFunctionMove | (minimize ? kFunctionMinimize : 0) | (close_box ? kFunctionClose : 0),
        kDecorBorder | kDecorTitle | kDecorMenu | (minimize ? kDecorMinimize : 0), 0, 0};
    Atom atom = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(fl_display, fl_xid(&window), atom, atom, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&hints), 5);
}

void SetStaysOnTop(Fl_Window& window, bool on_top) {
    if (!window.shown()) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = fl_xid(&window);
    event.xclient.message_type = XInternAtom(fl_display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = on_top ? 1 : 0;  // add or remove
    event.xclient.data.l[1] =
        static_cast<long>(XInternAtom(fl_display, "_NET_WM_STATE_ABOVE", False));
    event.xclient.data.l[3] = 1;  // asked by an application
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void StartOnTop(Fl_Window& window) {
    if (!window.shown()) return;
    Atom state = XInternAtom(fl_display, "_NET_WM_STATE", False);
    Atom above = XInternAtom(fl_display, "_NET_WM_STATE_ABOVE", False);
    XChangeProperty(fl_display, fl_xid(&window), state, XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<unsigned char*>(&above), 1);
}

namespace {

void FocusIfMapped(Fl_Window& window) {
    // Only a window that shows may take the focus; the toolkit maps it as it is shown.
    XSync(fl_display, False);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(fl_display, fl_xid(&window), &attributes) &&
        attributes.map_state == IsViewable)
        XSetInputFocus(fl_display, fl_xid(&window), RevertToPointerRoot, CurrentTime);
}

// Whether a window manager that takes requests runs: it names its check window on the root.
bool WindowManagerRuns() {
    Atom check = XInternAtom(fl_display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool runs =
        XGetWindowProperty(fl_display, RootWindow(fl_display, fl_screen), check, 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        type == XA_WINDOW && count == 1;
    if (data) XFree(data);
    return runs;
}

}  // namespace

void TakeKeyboard(Fl_Window& window) {
    if (!window.shown()) return;
    if (!WindowManagerRuns()) {
        FocusIfMapped(window);
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = fl_xid(&window);
    event.xclient.message_type = XInternAtom(fl_display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // asked by an application
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void FocusOnClick(Fl_Window& window) {
    if (window.shown() && !WindowManagerRuns()) FocusIfMapped(window);
}

}  // namespace view
