// Handlers whose behaviour is still to come; each group moves out to a file of its own.
#include "game/Form4.h"

// Window chrome and switching.
void Form4::Form4_creat_Click() {}
void Form4::Form4_nolog_Click() {}
