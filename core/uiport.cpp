#include "uiport.h"

#include "cp932.h"

#include <cstdlib>

void IUiPort::ShowMessageText(const QString& text, MessageKind)
{
    ShowMessage(Cp932FromQString(text).Bytes);
}

void IUiPort::SetBusy(bool) {}

void FatalOutOfMemory(IUiPort& ui, const std::string& message)
{
    ui.ShowMessage(message);
    std::exit(2);
}
