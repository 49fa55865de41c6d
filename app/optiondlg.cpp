#include "optiondlg.h"

#include "colorchooser.h"
#include "colorswatch.h"

#include "core/cp932.h"
#include "views/checkeddialog.h"
#include "views/intfield.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString UnmappableText(const std::u32string& characters)
{
    return UnmappableMessage(characters);
}

namespace {
QCheckBox* MakeCheck(const char* text, int state, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setChecked(state != 0);
    return box;
}

/** Selects the first entry that begins with the text, else shows the text in the edit field. */
void SelectOrSetText(QComboBox* combo, const QString& text)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}
}  // namespace

COptionDlg::COptionDlg(const SettingsDialogValues& values, QWidget* parent)
    : CQuelpDialog(parent), values_(values), color_(ColorFromRef(values.Color))
{
    setWindowTitle(QString::fromUtf8("各種設定"));
    ColorChooser = [](QWidget* owner, const QColor& current) { return ChooseColor(owner, current); };

    bType_ = new QLineEdit(QStringFromCp932(values.BType), this);
    auto* top = new QFormLayout;
    top->addRow(QString::fromUtf8("バイナリファイル拡張子"), bType_);

    auto* eventGroup = new QGroupBox(QString::fromUtf8("イベントバイナリ保存"), this);
    saveEvent_ = MakeCheck("イベントをバイナリに保存する。", values.SaveEvent, eventGroup);
    eventMap_ = new QComboBox(eventGroup);
    eventMap_->addItems({QString::fromUtf8("拡張子無し名"), QString::fromUtf8("拡張子付き名"),
                         QString::fromUtf8("フルパス")});
    eventMap_->setCurrentIndex(values.SaveEventMap >= 0 && values.SaveEventMap < 3
                                   ? values.SaveEventMap : -1);
    saveRem_ = MakeCheck("説明文を保存する", values.SaveEventRem, eventGroup);
    auto* eventForm = new QFormLayout;
    eventForm->addRow(QString::fromUtf8("異動先マップ名保存方法"), eventMap_);
    auto* eventLayout = new QVBoxLayout(eventGroup);
    eventLayout->addWidget(saveEvent_);
    eventLayout->addLayout(eventForm);
    eventLayout->addWidget(saveRem_);

    auto* textGroup = new QGroupBox(QString::fromUtf8("テキスト"), this);
    fontSize_ = new QComboBox(textGroup);
    fontSize_->setEditable(true);
    fontSize_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* size : {"10", "11", "12", "13", "14", "16", "18", "20", "24", "28", "32", "38"})
        fontSize_->addItem(QString::fromLatin1(size));
    SelectOrSetText(fontSize_, QString::fromStdString(values.FontSizeText));
    swatch_ = new CColorSwatch(textGroup);
    swatch_->SetColor(color_);
    changeColor_ = new QPushButton(QString::fromUtf8("変更"), textGroup);
    connect(changeColor_, &QPushButton::clicked, this, [this] { OnChangeColor(); });
    saveText_ = MakeCheck("テキストもバイナリに保存する。", values.SaveText, textGroup);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(swatch_, 1);
    colorRow->addWidget(changeColor_);
    auto* textForm = new QFormLayout;
    textForm->addRow(QString::fromUtf8("デフォルトフォントサイズ(ポイント)"), fontSize_);
    textForm->addRow(QString::fromUtf8("デフォルトフォントカラー"), colorRow);
    auto* textLayout = new QVBoxLayout(textGroup);
    textLayout->addLayout(textForm);
    textLayout->addWidget(saveText_);

    // Always unchecked on opening: storing the defaults is a decision made each time.
    makeDefault_ = MakeCheck("以上を規定値にする", 0, this);

    auto* mapGroup = new QGroupBox(QString::fromUtf8("マップ属性(ユーザーが自由に設定できます。)"), this);
    textOption_ = new QLineEdit(QStringFromCp932(values.TextOption), mapGroup);
    auto* mapForm = new QFormLayout(mapGroup);
    mapForm->addRow(QString::fromUtf8("テキスト属性"), textOption_);
    const char* labels[4] = {"数値属性１", "数値属性２", "数値属性３", "数値属性４"};
    for (size_t i = 0; i < intOptions_.size(); ++i) {
        intOptions_[i] = new QLineEdit(QString::number(values.IntOptions[i]), mapGroup);
        MarkIntegerField(intOptions_[i]);
        mapForm->addRow(QString::fromUtf8(labels[i]), intOptions_[i]);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(eventGroup);
    layout->addWidget(textGroup);
    layout->addWidget(makeDefault_);
    layout->addWidget(mapGroup);
    layout->addWidget(MakeOkCancel());
}

void COptionDlg::OnChangeColor()
{
    if (!ColorChooser)
        return;
    const std::optional<QColor> chosen = ColorChooser(this, color_);
    if (!chosen || !chosen->isValid())
        return;
    color_ = *chosen;
    swatch_->SetColor(color_);
}

std::optional<std::string> COptionDlg::ReadCp932(QLineEdit* edit)
{
    Cp932Result text = Cp932FromQString(edit->text());
    if (!text.Ok()) {
        Refuse(edit, UnmappableText(text.Unmappable));
        return std::nullopt;
    }
    return std::move(text.Bytes);
}

bool COptionDlg::Exchange()
{
    SettingsDialogValues v = values_;
    const std::optional<std::string> bType = ReadCp932(bType_);
    if (!bType)
        return false;
    v.BType = *bType;
    v.SaveEvent = saveEvent_->isChecked() ? 1 : 0;
    v.SaveEventMap = eventMap_->currentIndex();
    v.SaveEventRem = saveRem_->isChecked() ? 1 : 0;
    v.FontSizeText = fontSize_->currentText().toStdString();
    v.Color = RefFromColor(color_);
    v.SaveText = saveText_->isChecked() ? 1 : 0;
    v.MakeDefault = makeDefault_->isChecked();
    const std::optional<std::string> textOption = ReadCp932(textOption_);
    if (!textOption)
        return false;
    v.TextOption = *textOption;
    for (size_t i = 0; i < intOptions_.size(); ++i) {
        const std::optional<int> number = ReadInt(intOptions_[i]);
        if (!number)
            return false;
        v.IntOptions[i] = *number;
    }
    values_ = v;
    return true;
}
