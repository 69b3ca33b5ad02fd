#pragma once
#include "mixer/CardSetup.h"

// Installs the program's real dialogs and routes the error report into a message box.
void InstallApplicationReport();
