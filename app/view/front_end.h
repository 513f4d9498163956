#pragma once
// Something that shows the program's windows while it runs: the desktop view. The program runs
// the same with or without one; a front end only watches the model, answers or shows the
// boxes, and does the real-time waiting so that its own windows stay alive.

#include <iosfwd>

#include "app/options.h"
#include "platform/forms/modal.h"

namespace app {

class FrontEnd {
  public:
    virtual ~FrontEnd() = default;
    // Called once the stand-ins are fresh and the windows registered, before the first window
    // opens. `script_host` answers the boxes when a script drives the program (the front end
    // then only shows them); nullptr when a person does. Gives the modal host to install.
    virtual forms::ModalHost* attach(forms::ModalHost* script_host) = 0;
    // Called when the program has ended, before the windows are discarded.
    virtual void detach() = 0;
    // Whether a script's run keeps to real time while the windows show (a person's run always
    // does). In virtual time the front end's windows are looked at before each jump.
    virtual bool real_time() const { return true; }
};

// RunProgram with a front end: runs in real time; with no script a person drives the program.
int RunProgram(const Options& options, std::ostream& out, std::ostream& err, FrontEnd* front_end);

}  // namespace app
