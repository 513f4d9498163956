#pragma once
// The quiz-list editor: the word-list editor's twin for quiz lists (.qz files). Entries keep
// their case when read; the count label reads "N questions" once a command has refreshed it,
// and the list shows a long entry in full as its tooltip. No game reads quiz lists.

#include "platform/dialogs/common_dialog.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"

class Form2 : public forms::Form {
  public:
    Form2();

    // In tab order.
    forms::ListBox List1{*this, "List1"};
    forms::CommandButton Command1{*this, "Command1"};  // add question
    forms::CommandButton Command2{*this, "Command2"};  // remove question
    forms::CommandButton Command3{*this, "Command3"};  // remove all
    forms::CommandButton Command4{*this, "Command4"};  // remove dupes
    forms::CommandButton Command5{*this, "Command5"};  // open quiz log
    forms::CommandButton Command6{*this, "Command6"};  // save quiz log
    forms::CommandButton Command7{*this, "Command7"};  // alphabetize
    forms::CommandButton Command8{*this, "Command8"};  // exit
    forms::Label Label1{*this, "Label1"};              // the count, "" until first refreshed
    dialogs::CommonDialog CommonDialog1;

    void Form2_Command1_Click();
    void Form2_Command2_Click();
    void Form2_Command3_Click();
    void Form2_Command4_Click();
    void Form2_Command5_Click();
    void Form2_Command6_Click();
    void Form2_Command7_Click();
    void Form2_Command8_Click();
    void Form2_List1_MouseMove(int Button, int Shift, float X, float Y);
    void Form2_Form_Load();

  protected:
    void Form_Load() override { Form2_Form_Load(); }

  private:
    void LayOut();
    void Wire();
    void RefreshCount();
};
