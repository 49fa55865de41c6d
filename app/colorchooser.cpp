#include "colorchooser.h"

#include <QColorDialog>

std::optional<QColor> ChooseColor(QWidget* parent, const QColor& current)
{
    QColorDialog dialog(parent);
    dialog.setCurrentColor(current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}
