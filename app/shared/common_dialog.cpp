#include "app/shared/main_window.h"

#include "platform/help.h"
#include "platform/printer.h"

void CommonDialog::ShowHelp() { platform::showHelp(HelpFile); }

bool CommonDialog::ShowPrinter() { return platform::Printer.ShowSetup(); }
