// The option menus: delay, time limit, hint mode, letter case and points per word. Each group
// keeps exactly one item checked; choosing an item checks it, writes its value and posts its
// notice, also when it was checked already.
#include <initializer_list>

#include "common/chat.h"
#include "game/Form4.h"

namespace {
void CheckOnly(forms::MenuItem& chosen, std::initializer_list<forms::MenuItem*> group) {
    for (forms::MenuItem* item : group) item->Checked = item == &chosen;
}
}  // namespace

void Form4::ChooseDelay(forms::MenuItem& item, const char* seconds) {
    CheckOnly(item, {&scrollDElay2, &scrollDElay3, &scrollDELay8, &scrollDELay12});
    Label11.Caption = seconds;
}

void Form4::Form4_scrollDElay2_Click() {
    ChooseDelay(scrollDElay2, "1");
}
void Form4::Form4_scrollDElay3_Click() {
    ChooseDelay(scrollDElay3, "3");
}
void Form4::Form4_scrollDELay8_Click() {
    ChooseDelay(scrollDELay8, "8");
}
void Form4::Form4_scrollDELay12_Click() {
    ChooseDelay(scrollDELay12, "12");
}

void Form4::ChooseTimeLimit(forms::MenuItem& item, const char* seconds, int bar_maximum) {
    CheckOnly(item, {&fivesec, &tensec, &fifteenmenu, &twentYmenu, &twentyFivemenu});
    Label10.Caption = seconds;
    ProgressBar2.MaxValue = bar_maximum;
}

void Form4::Form4_fivesec_Click() {
    ChooseTimeLimit(fivesec, "3.7", 4);
    SendChat("<b>[ </b>speed tavrel activated, only 3.7 seconds to answer!<b> ]</b>");
}
void Form4::Form4_tensec_Click() {
    ChooseTimeLimit(tensec, "10", 10);
}
void Form4::Form4_fifteenmenu_Click() {
    ChooseTimeLimit(fifteenmenu, "15", 15);
}
void Form4::Form4_twentYmenu_Click() {
    ChooseTimeLimit(twentYmenu, "20", 20);
}
void Form4::Form4_twentyFivemenu_Click() {
    ChooseTimeLimit(twentyFivemenu, "25", 25);
}

void Form4::Form4_hintsmenU_Click() {
    CheckOnly(hintsmenU, {&hintsmenU, &rehint, &dontscroll});
}
void Form4::Form4_rehint_Click() {
    CheckOnly(rehint, {&hintsmenU, &rehint, &dontscroll});
}
void Form4::Form4_dontscroll_Click() {
    CheckOnly(dontscroll, {&hintsmenU, &rehint, &dontscroll});
}

void Form4::Form4_capitalletter_Click() {
    CheckOnly(capitalletter, {&capitalletter, &capAll, &lowAll});
}
void Form4::Form4_capAll_Click() {
    CheckOnly(capAll, {&capitalletter, &capAll, &lowAll});
}
void Form4::Form4_lowAll_Click() {
    CheckOnly(lowAll, {&capitalletter, &capAll, &lowAll});
}

void Form4::ChoosePoints(forms::MenuItem& item) {
    CheckOnly(item, {&oNemenu, &tHreemenu, &fivemenu, &wordmenu, &descendmenu});
}

void Form4::Form4_oNemenu_Click() {
    ChoosePoints(oNemenu);
    Label9.Caption = "1";
    Timer6.Enabled = false;
    SendChat(
        "<FONT FACE=Arial><b>[</b> tavrel: each word will be worth <b>1</b> point <b>]</b></font>");
}

void Form4::Form4_tHreemenu_Click() {
    ChoosePoints(tHreemenu);
    Label9.Caption = "3";
    Timer6.Enabled = false;
    SendChat(
        "<FONT FACE=Arial><b>[</b> tavrel: each word will be worth <b>3</b> points "
        "<b>]</b></font>");
}

void Form4::Form4_fivemenu_Click() {
    ChoosePoints(fivemenu);
    Label9.Caption = "5";
    Timer6.Enabled = false;
    SendChat(
        "<FONT FACE=Arial><b>[</b> tavrel: each word will be worth <b>5</b> points "
        "<b>]</b></font>");
}

void Form4::Form4_wordmenu_Click() {
    ChoosePoints(wordmenu);
    Timer6.Enabled = false;
    SendChat(
        "<FONT FACE=Arial><b>[</b> tavrel: each word will be worth <b>its length</b> in letters "
        "<b>]</b></font>");
}

void Form4::Form4_descendmenu_Click() {
    ChoosePoints(descendmenu);
    SendChat(
        "<FONT FACE=Arial><b>[ </b>tavrel: descending scores - <b>more time = less points "
        "]</b></font>");
}
