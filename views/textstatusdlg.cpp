#include "textstatusdlg.h"

#include "intfield.h"

#include "core/cp932.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QColor FromColorRef(uint32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

uint32_t ToColorRef(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8
        | static_cast<uint32_t>(c.blue()) << 16;
}
}  // namespace

QStringList TextSizeEntries()
{
    QStringList sizes{"10", "11", "12", "13", "14", "16", "18", "20", "24", "28", "32", "38"};
    sizes.sort();
    return sizes;
}

CTextStatusDlg::CTextStatusDlg(QWidget* parent)
    : CCheckedDialog(parent), text_(new QLineEdit(this)), size_(new QComboBox(this)),
      swatch_(new QFrame(this))
{
    setWindowTitle(U("テキスト属性"));
    size_->setEditable(true);
    MarkIntegerField(size_->lineEdit());
    size_->setInsertPolicy(QComboBox::NoInsert);
    size_->addItems(TextSizeEntries());
    swatch_->setFrameStyle(QFrame::Box | QFrame::Plain);
    swatch_->setAutoFillBackground(true);
    swatch_->setMinimumSize(48, 20);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(U("テキスト"), text_);
    form->addRow(U("フォントサイズ(ポイント)"), size_);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(swatch_, 1);
    auto* change = new QPushButton(U("変更"), this);
    change->setAutoDefault(false);
    colorRow->addWidget(change);
    form->addRow(U("フォントカラー"), colorRow);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(U("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(U("キャンセル"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTextStatusDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTextStatusDlg::reject);
    connect(change, &QPushButton::clicked, this, &CTextStatusDlg::ChooseColor);

    SetValues(TextDialogValues{});
}

void CTextStatusDlg::SetColor(uint32_t colorRef)
{
    color_ = colorRef & 0xFFFFFF;
    QPalette palette = swatch_->palette();
    palette.setColor(QPalette::Window, FromColorRef(color_));
    swatch_->setPalette(palette);
    swatch_->update();
}

void CTextStatusDlg::SetValues(const TextDialogValues& v)
{
    values_ = v;
    text_->setText(QStringFromCp932(v.Text));
    size_->setEditText(QStringFromCp932(v.SizeText));
    SetColor(v.Color);
}

bool CTextStatusDlg::Exchange()
{
    TextDialogValues v;
    if (!ReadCp932(text_, text_->text(), v.Text)
        || !ReadCp932(size_, AsciiDigits(size_->currentText()), v.SizeText))
        return false;
    v.Color = color_;
    values_ = v;
    return true;
}

void CTextStatusDlg::ChooseColor()
{
    const QColor chosen = QColorDialog::getColor(FromColorRef(color_), this);
    if (chosen.isValid())
        SetColor(ToColorRef(chosen));
}

bool CTextStatusDlg::Run(TextDialogValues& values, QWidget* parent)
{
    CTextStatusDlg dialog(parent);
    dialog.SetValues(values);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}
