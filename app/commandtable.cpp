#include "commandtable.h"

#include "commandids.h"
#include "mainframe.h"

#include "core/cp932.h"
#include "core/invalidindex.h"
#include "core/quelpdoc.h"
#include "core/settings.h"
#include "edit/editcommands.h"
#include "export/binarysave.h"
#include "render/chipcommands.h"
#include "render/imageexport.h"
#include "render/viewcommands.h"

#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

namespace {
QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

/** A status string "status\ntool tip" split into its two parts; without a tool tip part the
 *  status text is the tool tip too (not the menu text with its shortcut). */
void SetStatus(CommandSpec& command, const char* utf8)
{
    const QString text = U(utf8);
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    command.Status = newline < 0 ? text : text.left(newline);
    command.ToolTip = newline < 0 ? text : text.mid(newline + 1);
}

CommandSpec Command(int id, const char* text, const char* status, CommandHandler handler)
{
    CommandSpec command;
    command.Id = id;
    command.Text = U(text);
    SetStatus(command, status);
    command.Handler = std::move(handler);
    return command;
}

/** A document command with its rules. */
CommandSpec DocCommand(int id, const char* text, const char* status, void (*handler)(CQuelpDoc&),
                       bool (*enabled)(const CQuelpDoc&) = nullptr,
                       bool (*checked)(const CQuelpDoc&) = nullptr)
{
    CommandSpec command = Command(id, text, status, [handler](CommandContext& c) { handler(c.Doc); });
    if (enabled)
        command.Enabled = [enabled](const CommandContext& c) { return enabled(c.Doc); };
    if (checked)
        command.Checked = [checked](const CommandContext& c) { return checked(c.Doc); };
    return command;
}

CommandSpec& Keys(CommandSpec& command, const char* shown, QList<QKeySequence> keys)
{
    command.Shown = U(shown);
    command.Keys = std::move(keys);
    return command;
}

std::vector<CommandSpec> BuildTable()
{
    std::vector<CommandSpec> t;
    auto add = [&t](CommandSpec command) -> CommandSpec& {
        t.push_back(std::move(command));
        return t.back();
    };

    // ファイル(&F)
    for (int page = 0; page < 8; ++page) {
        CommandSpec& command = add(Command(cmd::LoadChipPage0 + page, "", "",
                                        [page](CommandContext& c) { OnLoadChipPage(c.Doc, page); }));
        command.Text = U("ページ%1").arg(page);
        command.Enabled = [](const CommandContext& c) { return OnLoadChipPageEnabled(c.Doc); };
        command.DynamicText = [page](const CommandContext& c) {
            // A file name may hold "&"; it is shown, not taken as a mnemonic.
            return QStringFromCp932(LoadChipPageMenuText(c.Doc, page))
                .replace(QLatin1Char('&'), QStringLiteral("&&"));
        };
    }
    add(DocCommand(cmd::MapSize, "マップサイズ変更", "", ResizeMap, ResizeMapEnabled));
    add(DocCommand(cmd::ChipSize, "チップサイズ変更", "", OnChipSize, OnChipSizeEnabled));
    Keys(add(Command(cmd::FileNew, "新規作成(&N)", "新規にファイルを作成\n新規ファイル",
                     [](CommandContext& c) { c.Frame.Files().OnFileNew(); })),
         "Ctrl+N", {QKeySequence(Qt::CTRL | Qt::Key_N)});
    Keys(add(Command(cmd::FileOpen, "開く(&O)...", "既存のファイルを開く\n開く",
                     [](CommandContext& c) { c.Frame.Files().OnFileOpen(); })),
         "Ctrl+O", {QKeySequence(Qt::CTRL | Qt::Key_O)});
    Keys(add(Command(cmd::FileSave, "上書き保存(&S)", "作業中のファイルを上書きして保存\n保存",
                     [](CommandContext& c) { c.Frame.Files().OnFileSave(); })),
         "Ctrl+S", {QKeySequence(Qt::CTRL | Qt::Key_S)});
    add(Command(cmd::FileSaveAs, "名前を付けて保存(&A)...",
                "作業中のファイルを新しい名前で保存\n名前をつけて保存",
                [](CommandContext& c) { c.Frame.Files().OnFileSaveAs(); }));
    add(DocCommand(cmd::SaveImage, "イメージファイルへ保存", "", OnSaveMapImage,
                   OnSaveMapImageEnabled));
    add(DocCommand(cmd::BinarySave, "バイナリ保存", "バイナリファイルへ保存します", OnBinarySave));
    // The item shows Ctrl+P, but no key is bound to it.
    CommandSpec& print = Keys(add(Command(cmd::Print, "印刷(&P)...", "マップイメージを印刷します。",
                                          [](CommandContext& c) { c.Frame.PrintMap(); })),
                              "Ctrl+P", {});
    print.Enabled = [](const CommandContext& c) { return OnPrintMapEnabled(c.Doc); };
    add(Command(cmd::Settings, "設定", "", [](CommandContext& c) { OnSettings(c.Doc); }));
    add(Command(cmd::RecentFile1, "最近使ったファイル", "指定のファイルを開く",
                [](CommandContext& c) { c.Frame.Files().OnOpenRecentFile(0); }));
    add(Command(cmd::AppExit, "アプリケーションの終了(&X)",
                "アプリケーションを終了し、ファイルの保存を指示\n終了",
                [](CommandContext& c) { c.Frame.close(); }));

    // 編集(&E)
    Keys(add(DocCommand(cmd::Undo, "元に戻す(&U)", "直前に行った動作を元に戻す\n元に戻す", Undo,
                        UndoEnabled)),
         "Ctrl+Z", {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    add(DocCommand(cmd::ModeNormal, "通常モード(範囲選択解除)", "選択モードを解除します",
                   SetNormalMode, SetNormalModeEnabled, SetNormalModeChecked))
        .ToolBar = true;
    add(DocCommand(cmd::ModeLayerSelect, "選択範囲(レイヤー)", "選択範囲(現在のレイヤー)",
                   SetLayerSelectMode, SetLayerSelectModeEnabled, SetLayerSelectModeChecked))
        .ToolBar = true;
    add(DocCommand(cmd::ModeAllSelect, "選択範囲(全レイヤー)", "選択範囲(全レイヤー)",
                   SetAllLayerSelectMode, SetAllLayerSelectModeEnabled,
                   SetAllLayerSelectModeChecked))
        .ToolBar = true;
    Keys(add(DocCommand(cmd::Cut, "切り取り(&T)", "選択範囲を切り取る\n切り取り", EditCut,
                        EditCutEnabled)),
         "Ctrl+X", {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    Keys(add(DocCommand(cmd::Copy, "コピー(&C)", "選択範囲をコピー\nコピー", EditCopy,
                        EditCopyEnabled)),
         "Ctrl+C", {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    Keys(add(DocCommand(cmd::Paste, "貼り付け(&P)", "選択内容を貼り付け\n貼り付け", EditPaste,
                        EditPasteEnabled)),
         "Ctrl+V", {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});

    // 表示(&V)
    add(DocCommand(cmd::Zoom4, "等倍マップ", "マップの倍率を等倍にします。", OnZoom4,
                   OnViewCommandEnabled, OnZoom4Checked));
    add(DocCommand(cmd::Zoom3, "３／４マップ", "マップの倍率を４分３にします。", OnZoom3,
                   OnViewCommandEnabled, OnZoom3Checked));
    add(DocCommand(cmd::Zoom2, "２／４マップ", "マップの倍率を２分の１にします。", OnZoom2,
                   OnViewCommandEnabled, OnZoom2Checked));
    add(DocCommand(cmd::Zoom1, "１／４マップ", "マップの倍率を４分の１にします。", OnZoom1,
                   OnViewCommandEnabled, OnZoom1Checked));
    add(DocCommand(cmd::SelectedLayerOnly, "選択レイヤーのみ表示",
                   "選択レイヤーのみ表示するようにします。", OnSelectedLayerOnly,
                   OnViewCommandEnabled, OnSelectedLayerOnlyChecked));
    add(DocCommand(cmd::Grid, "グリッド", "グリッドの表示", OnGrid, OnViewCommandEnabled,
                   OnGridChecked));
    CommandSpec& toolBar = add(Command(cmd::ViewToolBar, "ツールバー", "ツールバーの表示切り換え",
        [](CommandContext& c) {
            QToolBar* bar = c.Frame.StandardToolBar();
            bar->setVisible(bar->isHidden());
        }));
    toolBar.Checked = [](const CommandContext& c) { return !c.Frame.StandardToolBar()->isHidden(); };
    CommandSpec& statusBar = add(Command(cmd::ViewStatusBar, "ステータス バー(&S)",
        "ステータス バーの表示/非表示\nステータス バーの表示切り替え", [](CommandContext& c) {
            QStatusBar* bar = c.Frame.statusBar();
            bar->setVisible(bar->isHidden());
        }));
    statusBar.Checked = [](const CommandContext& c) { return !c.Frame.statusBar()->isHidden(); };

    // ヘルプ(&H)
    add(Command(cmd::Help, "ヘルプ(&H)", "ヘルプ トピックの一覧\nヘルプ トピック",
                [](CommandContext& c) { c.Frame.ShowHelp(); }));
    add(Command(cmd::About, "バージョン情報 Quelp(&A)...",
                "プログラム情報、バージョン、著作権を表示します。\nバージョン情報",
                [](CommandContext& c) { c.Frame.ShowAbout(); }));

    // Bound only to keys.
    add(Command(cmd::NextPane, "", "次のウィンドウに切り替える\n次のペイン",
                [](CommandContext& c) { c.Frame.FocusOtherPane(); }))
        .Keys = {QKeySequence(Qt::Key_F6)};
    add(Command(cmd::PrevPane, "", "前のウィンドウに切り替える\n前のペイン",
                [](CommandContext& c) { c.Frame.FocusOtherPane(); }))
        .Keys = {QKeySequence(Qt::SHIFT | Qt::Key_F6)};

    for (int id : ToolBarLayout())
        for (CommandSpec& command : t)
            if (command.Id == id)
                command.ToolBar = true;
    return t;
}
}  // namespace

const std::vector<CommandSpec>& CommandTable()
{
    static const std::vector<CommandSpec> table = BuildTable();
    return table;
}

bool InvokeCommand(const CommandSpec& command, CommandContext& context)
{
    if (!command.Handler || (command.Enabled && !command.Enabled(context)))
        return false;
    try {
        command.Handler(context);
    } catch (const InvalidIndexError&) {
        // An index outside a record list ends the command in progress, nothing more.
    }
    return true;
}

const CommandSpec* FindCommand(int id)
{
    const std::vector<CommandSpec>& table = CommandTable();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [id](const CommandSpec& command) { return command.Id == id; });
    return it == table.end() ? nullptr : &*it;
}

const std::vector<MenuSpec>& MainMenus()
{
    static const std::vector<MenuSpec> menus = [] {
        std::vector<int> pageIds;
        for (int id = cmd::LoadChipPage0; id <= cmd::LoadChipPage7; ++id)
            pageIds.push_back(id);
        const MenuEntry pages(U("マップチップ読込"), pageIds);
        return std::vector<MenuSpec>{
            {U("ファイル(&F)"),
             {pages, {cmd::MapSize}, {cmd::ChipSize}, {0}, {cmd::FileNew}, {cmd::FileOpen},
              {cmd::FileSave}, {cmd::FileSaveAs}, {cmd::SaveImage}, {cmd::BinarySave}, {0},
              {cmd::Print}, {cmd::Settings}, {0}, {cmd::RecentFile1}, {0}, {cmd::AppExit}}},
            {U("編集(&E)"),
             {{cmd::Undo}, {0}, {cmd::ModeNormal}, {cmd::ModeLayerSelect}, {cmd::ModeAllSelect},
              {0}, {cmd::Cut}, {cmd::Copy}, {cmd::Paste}}},
            {U("表示(&V)"),
             {{cmd::Zoom4}, {cmd::Zoom3}, {cmd::Zoom2}, {cmd::Zoom1}, {cmd::SelectedLayerOnly},
              {cmd::Grid}, {0}, {cmd::ViewToolBar}, {cmd::ViewStatusBar}}},
            {U("ヘルプ(&H)"), {{cmd::Help}, {cmd::About}}},
        };
    }();
    return menus;
}

const std::vector<int>& ToolBarLayout()
{
    static const std::vector<int> layout = {
        cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::Print, 0,
        cmd::Cut, cmd::Copy, cmd::Paste, cmd::ModeNormal, cmd::ModeLayerSelect, cmd::ModeAllSelect, 0,
        cmd::Zoom4, cmd::Zoom3, cmd::Zoom2, cmd::Zoom1, 0,
        cmd::SelectedLayerOnly, cmd::Grid};
    return layout;
}
