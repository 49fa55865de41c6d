#include "clientview.h"

#include "mainframe.h"

#include <QWidget>

void CreateClientView(CMainFrame& frame, CQuelpDoc&, QtUiPort&)
{
    // Until the views are built the client area stays an empty widget.
    frame.SetClientView(new QWidget(&frame));
}
