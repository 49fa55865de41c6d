#pragma once

#include <QCursor>

/** The pointer for typing texts: an arrow with a small letter A, hot spot at the tip. */
QCursor TextPlacementCursor();
