#include "eventdlg.h"

#include "intfield.h"

#include "core/cp932.h"
#include "core/uiport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

CEventDlg::CEventDlg(QWidget* parent, IUiPort* browser)
    : CCheckedDialog(parent), browser_(browser), type_(new QLineEdit(this)),
      map_(new QLineEdit(this)),
      x_(new QLineEdit(this)), y_(new QLineEdit(this)), rem_(new QLineEdit(this)),
      option1_(new QLineEdit(this)), option2_(new QLineEdit(this))
{
    setWindowTitle(U("移動先・イベント設定"));
    for (QLineEdit* edit : {type_, x_, y_, option1_, option2_})
        MarkIntegerField(edit);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFormLayout;
    top->addRow(U("イベント番号(0:単純移動)"), type_);
    layout->addLayout(top);

    auto* group = new QGroupBox(U("異動先"), this);
    auto* groupLayout = new QFormLayout(group);
    auto* mapRow = new QHBoxLayout;
    mapRow->addWidget(map_, 1);
    auto* browse = new QPushButton(U("参照"), group);
    browse->setAutoDefault(false);
    mapRow->addWidget(browse);
    groupLayout->addRow(U("マップ名"), mapRow);
    auto* posRow = new QHBoxLayout;
    posRow->addWidget(new QLabel(U("X"), group));
    posRow->addWidget(x_);
    posRow->addWidget(new QLabel(U("Y"), group));
    posRow->addWidget(y_);
    groupLayout->addRow(U("座標"), posRow);
    layout->addWidget(group);

    auto* bottom = new QFormLayout;
    bottom->addRow(U("説明など"), rem_);
    bottom->addRow(U("整数オプション１"), option1_);
    bottom->addRow(U("整数オプション２"), option2_);
    layout->addLayout(bottom);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(U("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(U("キャンセル"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEventDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEventDlg::reject);
    connect(browse, &QPushButton::clicked, this, &CEventDlg::Browse);

    SetValues(EventDialogValues{});
}

void CEventDlg::SetValues(const EventDialogValues& v)
{
    values_ = v;
    type_->setText(QString::number(v.Type));
    map_->setText(QStringFromCp932(v.Map));
    x_->setText(QString::number(v.X));
    y_->setText(QString::number(v.Y));
    rem_->setText(QStringFromCp932(v.Rem));
    option1_->setText(QString::number(v.Option1));
    option2_->setText(QString::number(v.Option2));
}

bool CEventDlg::Exchange()
{
    // Read in the order of the fields, so the first bad one gets the focus.
    EventDialogValues v;
    if (!ReadInt(type_, v.Type) || !ReadCp932(map_, map_->text(), v.Map) || !ReadInt(x_, v.X)
        || !ReadInt(y_, v.Y) || !ReadCp932(rem_, rem_->text(), v.Rem)
        || !ReadInt(option1_, v.Option1) || !ReadInt(option2_, v.Option2))
        return false;
    values_ = v;
    return true;
}

void CEventDlg::Browse()
{
    if (browser_) {
        FileDialogRequest request;
        request.Open = true;
        request.Filter = Cp932("マップ ファイル (*.mpx)|*.mpx||");
        if (const auto path = browser_->RunFileDialog(request))
            map_->setText(QStringFromCp932(*path));
        return;
    }
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      U("マップ ファイル (*.mpx)"));
    if (!path.isEmpty())
        map_->setText(path);
}

bool CEventDlg::Run(EventDialogValues& values, QWidget* parent, IUiPort* browser)
{
    CEventDlg dialog(parent, browser);
    dialog.SetValues(values);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}
