// Handlers whose behaviour is still to come; each group moves out to a file of its own.
#include "game/Form4.h"

// Window chrome and switching.
