#pragma once

#include <QColor>
#include <optional>

class QWidget;

/** The colour chooser, opened on the current colour; the chosen colour, or nothing on cancel. */
std::optional<QColor> ChooseColor(QWidget* parent, const QColor& current);
