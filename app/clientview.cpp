#include "clientview.h"

#include "mainframe.h"
#include "qtuiport.h"

#include "views/leftview.h"
#include "views/quelpview.h"
#include "views/rightview.h"

#include <QPointer>

void CreateClientView(CMainFrame& frame, CQuelpDoc& doc, QtUiPort& ui)
{
    auto* view = new CQuelpView(doc, &frame);
    QObject::connect(view, &CQuelpView::statusTextChanged, &frame, &CMainFrame::SetIdleMessage);
    const QPointer<CRightView> map = view->RightView();
    ui.MapPixelToGlobal = [map](IntPoint mapPixel) -> std::optional<QPoint> {
        if (!map)
            return std::nullopt;
        return map->MapPixelToGlobal(mapPixel);
    };
    frame.SetClientView(view);
    frame.SetPanes(view->LeftView(), view->RightView());
}
