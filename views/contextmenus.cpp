#include "contextmenus.h"

#include <QCoreApplication>
#include <QMenu>
#include <QStatusTipEvent>

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void SendStatusTip(QWidget* owner, const QString& text)
{
    // A popup menu is a window of its own, so the tip it sends itself never reaches the main
    // window; sent from the owner it climbs to the window that shows it.
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(owner, &tip);
}
}  // namespace

const ContextMenuLayout& LayerMenuLayout()
{
    static const ContextMenuLayout menu{
        QStringLiteral("LAYER"),
        {
            {cmd::LayerShow, U("表示"), U("レイヤーの表示非表示切り換え")},
            {cmd::LayerOptions, U("設定変更"), QString()},
            {cmd::LayerMoveLeft, U("左(下)へ移動"), QString()},
            {cmd::LayerMoveRight, U("右(上)へ移動"), QString()},
            {0, QString(), QString()},
            {cmd::LayerSaveImage, U("イメージ保存"), U("レイヤーのイメージを保存します。")},
        }};
    return menu;
}

const ContextMenuLayout& TextMenuLayout()
{
    static const ContextMenuLayout menu{
        QStringLiteral("MENU_TEXT"),
        {
            {cmd::TextEdit, U("編集"), U("テキストの編集")},
            {cmd::TextDelete, U("削除"), U("テキストの削除")},
            {cmd::TextMove, U("移動"), QString()},
            {cmd::TextCopy, U("複写"), QString()},
        }};
    return menu;
}

const ContextMenuLayout& EventMenuLayout()
{
    static const ContextMenuLayout menu{
        QStringLiteral("MENU_EVENT"),
        {
            {cmd::EventEdit, U("編集"), QString()},
            {cmd::EventDelete, U("削除"), QString()},
            {cmd::EventOpenDestination, U("異動先を開く"), QString()},
        }};
    return menu;
}

std::unique_ptr<QMenu> BuildContextMenu(const ContextMenuLayout& layout, QWidget* owner,
                                        const std::function<void(int id)>& run)
{
    auto menu = std::make_unique<QMenu>(layout.Title, owner);
    for (const ContextMenuItem& item : layout.Items) {
        if (item.Id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item.Text);
        action->setData(item.Id);
        action->setStatusTip(item.Status);
        const int id = item.Id;
        QObject::connect(action, &QAction::triggered, owner, [run, id] { run(id); });
    }
    QObject::connect(menu.get(), &QMenu::hovered, owner,
                     [owner](QAction* action) { SendStatusTip(owner, action->statusTip()); });
    QObject::connect(menu.get(), &QMenu::aboutToHide, owner,
                     [owner] { SendStatusTip(owner, QString()); });
    return menu;
}
