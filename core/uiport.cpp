#include "uiport.h"

#include <cstdlib>

void FatalOutOfMemory(IUiPort& ui, const std::string& message)
{
    ui.ShowMessage(message);
    std::exit(2);
}
