#pragma once
// The word-list editor: the host types words, tidies the list (remove, remove repeats, clear,
// sort), opens a word list and saves the result in the form the main window loads. The list box
// is all its state; the frame's caption names the last file opened. Nothing passes to the game
// in memory, and "exit" discards the window, so each showing after it starts empty.

#include "platform/dialogs/common_dialog.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"

class Form5 : public forms::Form {
  public:
    Form5();

    // In tab order.
    forms::ListBox List1{*this, "List1"};
    forms::CommandButton Command1{*this, "Command1"};  // add word
    forms::CommandButton Command2{*this, "Command2"};  // remove word
    forms::CommandButton Command3{*this, "Command3"};  // kill dupes
    forms::CommandButton Command4{*this, "Command4"};  // clear log
    forms::CommandButton Command5{*this, "Command5"};  // save log
    forms::Frame Frame1{*this, "Frame1"};              // the name of the last file opened
    forms::CommandButton Command6{*this, "Command6"};  // alphabetize
    forms::CommandButton Command7{*this, "Command7"};  // open log
    forms::Label Label1{*this, "Label1"};
    forms::Label Label2{*this, "Label2"};              // the entry count
    forms::CommandButton Command8{*this, "Command8"};  // exit
    forms::TimerControl Timer1{*this, "Timer1", 1, true};
    dialogs::CommonDialog CommonDialog1;

    void Form5_Command1_Click();
    void Form5_Command2_Click();
    void Form5_Command3_Click();
    void Form5_Command4_Click();
    void Form5_Command5_Click();
    void Form5_Command6_Click();
    void Form5_Command7_Click();
    void Form5_Command8_Click();
    void Form5_Timer1_Timer();
    void Form5_Form_Load();

  protected:
    void Form_Load() override { Form5_Form_Load(); }

  private:
    void LayOut();
    void Wire();
};
