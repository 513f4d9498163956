// Switching to the non-log game. Nothing of this window stops meanwhile: its game, timers and
// chat reading go on while it is hidden, and closing the other window shows this one again.
#include "game/Form4.h"
#include "platform/forms/application.h"

void Form4::Form4_nolog_Click() {
    forms::App().get("Form7").Show();
    Hide();
}
