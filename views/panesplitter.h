#pragma once

#include <QSplitter>
#include <utility>

/** New widths of a palette pane and a map pane for the space available. The map takes what the
 *  space gains. When it shrinks, the palette gives up what it has beyond its own width first,
 *  then the map down to its minimum, then the palette down to its minimum. */
std::pair<int, int> FitPaneWidths(int palette, int map, int available, int paletteOwn,
                                  int minimum);

/** A two-pane splitter that keeps the second (map) pane wide when the window narrows: the first
 *  pane gives up its width beyond its size hint first (FitPaneWidths). */
class CPaneSplitter : public QSplitter {
    Q_OBJECT

public:
    using QSplitter::QSplitter;

protected:
    void resizeEvent(QResizeEvent* event) override;
};
