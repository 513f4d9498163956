// Opening the word-list editor. The editor is modeless: the main window stays visible and goes
// on with its game, and a second opening brings up the same editor with its list.
#include "game/Form4.h"
#include "platform/forms/application.h"

void Form4::Form4_creat_Click() {
    forms::App().get("Form5").Show();
}
