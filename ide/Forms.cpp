#include "ide/Forms.h"

TScreenForm* ScreenForm = nullptr;
