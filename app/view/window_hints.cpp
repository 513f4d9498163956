#include "app/view/window_hints.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>

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

}  // namespace view
