// The context menus of the map view: "MENU_TEXT" and "MENU_EVENT", acting on the text or event
// under the right click.
#include "rightview.h"

#include "contextmenus.h"

#include "core/quelpdoc.h"
#include "edit/eventedit.h"
#include "edit/textedit.h"

#include <QCursor>
#include <QMenu>

void CRightView::RunMenu(QMenu& menu)
{
    const QPoint at = QCursor::pos();
    if (MenuRunner)
        MenuRunner(menu, at);
    else
        menu.exec(at);
}

void CRightView::RunMenuCommand(int id)
{
    switch (id) {
    case cmd::TextEdit: OnTextEdit(); break;
    case cmd::TextDelete: OnTextDelete(); break;
    case cmd::TextMove: OnTextMove(); break;
    case cmd::TextCopy: OnTextCopy(); break;
    case cmd::EventEdit: OnEventEdit(); break;
    case cmd::EventDelete: OnEventDelete(); break;
    case cmd::EventOpenDestination: OnOpenDestination(); break;
    default: break;
    }
}

std::unique_ptr<QMenu> CRightView::MakeTextMenu()
{
    return BuildContextMenu(TextMenuLayout(), this, [this](int id) { RunMenuCommand(id); });
}

std::unique_ptr<QMenu> CRightView::MakeEventMenu()
{
    std::unique_ptr<QMenu> menu =
        BuildContextMenu(EventMenuLayout(), this, [this](int id) { RunMenuCommand(id); });
    for (QAction* action : menu->actions())
        if (action->data().toInt() == cmd::EventOpenDestination)
            action->setEnabled(OpenDestinationEnabled(doc_, targetIndex_));
    return menu;
}

void CRightView::OnTextEdit() { EditText(doc_, targetIndex_); }
void CRightView::OnTextDelete() { DeleteText(doc_, targetIndex_); }
void CRightView::OnTextMove() { MoveText(doc_, targetIndex_); }
void CRightView::OnTextCopy() { CopyText(doc_, targetIndex_); }
void CRightView::OnEventEdit() { EditEvent(doc_, targetIndex_); }
void CRightView::OnEventDelete() { DeleteEvent(doc_, targetIndex_); }
void CRightView::OnOpenDestination() { OpenDestination(doc_, targetIndex_, Launcher); }
