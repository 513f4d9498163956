#pragma once
// The boxes on the screen. When a person drives the program the boxes are answered here: each
// box runs rounds of the event loop until it is closed, so timers and chat lines go on while
// it is open, and the program's windows take no input meanwhile. A box goes from the screen as
// it is answered, and the keys go back to the box under it; the call that opened it returns
// once its rounds are over, after whatever handler runs inside them has ended. When a script
// drives it, the script answers and the box only shows until then. A menu pulled down when a
// box opens closes first, so that the box takes the input.

#include <FL/Fl_Window.H>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/view/fonts.h"
#include "platform/forms/modal.h"

namespace view {

class BoxWindow;
class Pulldowns;

class BoxHost : public forms::ModalHost {
  public:
    // `answerer` answers the boxes (a script); nullptr when a person does.
    BoxHost(FontBook& fonts, Pulldowns& pulldowns, forms::ModalHost* answerer)
        : m_fonts(fonts), m_pulldowns(pulldowns), m_answerer(answerer) {}

    int message_box(const forms::MessageBoxRequest& request) override;
    std::optional<std::string> input_box(const forms::InputBoxRequest& request) override;
    std::optional<std::string> file_dialog(const forms::FileDialogRequest& request) override;

    // As above, and `answered` runs with the answer as soon as it is given, before the call
    // returns.
    using Answered = std::function<void(const std::optional<std::string>&)>;
    int message_box(const forms::MessageBoxRequest& request, std::function<void(int)> answered);
    std::optional<std::string> input_box(const forms::InputBoxRequest& request, Answered answered);

    // The boxes on the screen now, the newest last.
    const std::vector<BoxWindow*>& open_boxes() const { return m_open; }
    // Each box is reported on standard error as it opens, is answered and closes (its call
    // returns), with the loop's seconds: "person: message box opened at S: TEXT" (input box:
    // its prompt; file dialog: its title), "person: message box answered at S: TEXT".
    void set_reporting(bool report) { m_report = report; }

  private:
    class Opened;
    // Rounds of events until `closed` says the box is closed.
    template <class Closed>
    void run_until(Closed closed);
    void report(const std::string& what, const std::string& text) const;

    FontBook& m_fonts;
    Pulldowns& m_pulldowns;
    forms::ModalHost* m_answerer;
    std::vector<BoxWindow*> m_open;
    bool m_report = false;
};

}  // namespace view
