#pragma once
// The non-log game: the host types a word and sends it scrambled; the first chat line equal to
// the word wins the points chosen here, with the answer time and typing speed announced. The
// window keeps its own scoreboard and its own chat reader, apart from the main window's.
//
// All state lives in the controls. Closing the window shows the main window again and discards
// this one, so the next opening starts with an empty scoreboard, 1 point and the clock at "0".

#include <string>

#include "platform/chatreader/chat.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"

class Form7 : public forms::Form {
  public:
    Form7();

    forms::TextBox Text1{*this, "Text1"};                   // the word as the host typed it
    forms::TextBox Text2{*this, "Text2"};                   // the scrambled form last sent
    forms::Label Label1{*this, "Label1"};                   // the clock: clock seconds, 0.01 a tick
    forms::Label Label2{*this, "Label2"};                   // points for a win: "1", "2" or "3"
    forms::ListBox List1{*this, "List1"};                   // the scoreboard
    forms::TimerControl Timer1{*this, "Timer1", 1, false};  // runs the clock
    chatreader::Chat Chat1;
    forms::CommandButton Command1{*this, "Command1"};  // send
    forms::CommandButton Command2{*this, "Command2"};  // clear score
    forms::CommandButton Command3{*this, "Command3"};  // send scores
    forms::OptionButton Option1{*this, "Option1"};
    forms::OptionButton Option2{*this, "Option2"};
    forms::OptionButton Option3{*this, "Option3"};

    void Form7_Form_Load();
    void Form7_Command1_Click();
    void Form7_Option1_Click();
    void Form7_Option2_Click();
    void Form7_Option3_Click();
    void Form7_Timer1_Timer();
    void Form7_Chat1_ChatLine(std::string& ScreenName, std::string& LineText);
    void Form7_Command2_Click();
    void Form7_Command3_Click();
    void Form7_Form_Unload(int& Cancel);

  protected:
    void Form_Load() override { Form7_Form_Load(); }
    void Form_Unload(int& cancel) override { Form7_Form_Unload(cancel); }

  private:
    void LayOut();
    void Wire();
};
