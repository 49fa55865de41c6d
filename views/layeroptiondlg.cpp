#include "layeroptiondlg.h"

#include "core/cp932.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

CLayerOptionDlg::CLayerOptionDlg(const QStringList& pageNames, QWidget* parent)
    : CCheckedDialog(parent), name_(new QLineEdit(this)), page_(new QComboBox(this)),
      saveType_(new QComboBox(this)), dataSize_(new QComboBox(this))
{
    setWindowTitle(U("レイヤー設定"));
    page_->addItems(pageNames);
    saveType_->addItems({U("保存しない"), U("有効範囲"), U("全データ"), U("座標とデータ")});
    dataSize_->addItems({U("1バイト"), U("2バイト")});

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(U("レイヤー名"), name_);
    form->addRow(U("チップページ"), page_);
    layout->addLayout(form);

    auto* group = new QGroupBox(U("バイナリ保存用プロパティー"), this);
    auto* groupForm = new QFormLayout(group);
    groupForm->addRow(U("保存形式"), saveType_);
    groupForm->addRow(U("１マスデータサイズ"), dataSize_);
    auto* help = new QLabel(U("保存形式\n"
                              "　保存しない：バイナリデータには保存しません。\n"
                              "　有効範囲：有効な範囲を抽出して保存します。\n"
                              "　全データ：全データを保存します。\n"
                              "　座標とデータ：有効データの座標とデータを保存します。"),
                            group);
    groupForm->addRow(help);
    layout->addWidget(group);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(U("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(U("キャンセル"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLayerOptionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLayerOptionDlg::reject);
}

void CLayerOptionDlg::SetValues(const LayerOptionDialogValues& v)
{
    values_ = v;
    name_->setText(QStringFromCp932(v.Name));
    page_->setCurrentIndex(v.ChipPage);
    saveType_->setCurrentIndex(v.SaveType);
    dataSize_->setCurrentIndex(v.DataSizeIndex);
}

bool CLayerOptionDlg::Exchange()
{
    LayerOptionDialogValues v;
    if (!ReadCp932(name_, name_->text(), v.Name))
        return false;
    v.ChipPage = page_->currentIndex();
    v.SaveType = saveType_->currentIndex();
    v.DataSizeIndex = dataSize_->currentIndex();
    values_ = v;
    return true;
}
