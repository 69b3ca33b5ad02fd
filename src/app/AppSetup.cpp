#include "app/AppSetup.h"

#include "app/QtDialogs.h"
#include "platform/os/ErrorReport.h"

void InstallApplicationReport()
{
    SetAppDialogs(std::make_unique<QtDialogs>());
    SetErrorReporter([](const std::string& text) { AppDialogs().ShowMessage(text); });
}
