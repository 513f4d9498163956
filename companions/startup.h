#pragma once
// The splash: the program's first window. It shows its picture for three ticks of its
// one-second timer, then hides itself and shows the main window, whose start-up runs inside
// that tick. It stays loaded and hidden afterwards, counting on.

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

class startup : public forms::Form {
  public:
    startup();

    forms::Picture Image1{*this, "Image1"};
    forms::Label Label2{*this, "Label2"};
    forms::Label Label1{*this, "Label1"};  // the tick count, below the client area
    forms::TimerControl Timer1{*this, "Timer1", 1000, true};

    void startup_Form_Load();
    void startup_Timer1_Timer();

  protected:
    void Form_Load() override { startup_Form_Load(); }
};
