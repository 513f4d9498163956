#pragma once
// The desktop view: every form as a real window, the chat room as a window of its own, and the
// boxes as real dialogs. It follows the model through the application's observer and applies
// the changes before the screen is next drawn; the event loop's real-time waits become the
// toolkit's waits (never its repeating timeouts), so the windows stay alive while the program
// pauses and the loop keeps its own timer schedule.
//
// With TAVREL_VIEW_CAPTURE naming a folder, every line that the member "camera" says in the
// room writes a picture of each window shown, TAG-WINDOW.png with TAG the line's text: forms
// by their names, "room" for the chat room and "box" for the newest open box.
//
// With TAVREL_VIEW_HAND set, the lines that the member "hand" says work the windows as a
// person's hand would, once the line's round has run: "pull FORM.MENU" pulls down the menu of
// the top-level menu item, as its access key would, and "key NAME" presses Up, Down, Left,
// Right, Return or Escape in the menu that is down. The menus are reported on standard error
// with the loop's seconds: "hand: pulled FORM.MENU down at S" (or "hand: menu FORM.MENU stayed
// up at S" while another is down) and "hand: menu closed at S". With TAVREL_VIEW_VIRTUAL set,
// a script's run keeps virtual time.
//
// With TAVREL_VIEW_PERSON set, a person answers the boxes and types into the room while the
// script drives the windows: the boxes take real keys and clicks, and each is reported on
// standard error as it opens, is answered and closes ("person: file dialog opened at S: Open",
// "person: message box answered at S: TEXT"; see BoxHost). The script's input to windows that
// a box holds back is released only by a box the script answers, so such a script works the
// windows again once the person's boxes have closed (a line the person says in the room tells
// it when).

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "app/view/box_host.h"
#include "app/view/fonts.h"
#include "app/view/form_window.h"
#include "app/view/front_end.h"
#include "app/view/pulldowns.h"
#include "app/view/room_window.h"
#include "app/view/view_context.h"
#include "platform/chatclient/chat_client.h"

class Fl_RGB_Image;

namespace view {

class DesktopView final : public app::FrontEnd {
  public:
    // A view on the display that DISPLAY names; nullptr when none can be opened.
    static std::unique_ptr<DesktopView> Open();
    ~DesktopView() override;

    forms::ModalHost* attach(forms::ModalHost* script_host) override;
    void detach() override;
    bool real_time() const override { return !m_virtual_time; }

    static constexpr const char* kCameraName = "camera";
    static constexpr const char* kHandName = "hand";

  private:
    DesktopView() = default;
    void changed(forms::Form& form, forms::Control* control);
    void heard(const chatclient::Line& line);
    void wait(loop::Micros timeout);
    void apply();
    void capture(const std::string& tag);
    static void hand_moves(void* view);
    void move_hand(const std::string& move);

    bool m_virtual_time = false;
    bool m_hand = false;
    std::deque<std::string> m_hand_moves;
    std::unique_ptr<Pulldowns> m_pulldowns;
    std::unique_ptr<FontBook> m_fonts;
    std::unique_ptr<ViewContext> m_context;
    std::unique_ptr<BoxHost> m_boxes;
    std::unique_ptr<RoomWindow> m_room;
    std::map<forms::Form*, std::unique_ptr<FormWindow>> m_windows;
    std::vector<forms::Form*> m_new_forms;
    int m_listener = -1;
    std::string m_capture_folder;
    std::unique_ptr<Fl_RGB_Image> m_icon;
};

}  // namespace view
