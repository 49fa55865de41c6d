#pragma once

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "render/chippages.h"
#include "support/fakeuiport.h"
#include "views/leftview.h"
#include "views/quelpview.h"
#include "views/rightview.h"

#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

/** A new map of 16 x 16 chips shown in the real tab view (palette and map view) at a fixed
 *  size on the offscreen platform; page 0 holds a sheet of coloured chips. */
struct ViewsFixture : ::testing::Test {
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    std::unique_ptr<CQuelpView> view;
    QString status;

    void SetUp() override
    {
        ChipWidth = 16;
        ChipHeight = 16;
        doc.Columns = 20;
        doc.Rows = 15;
        doc.OnNewDocument();
        LoadSheet(0, 256, 128);
        view = std::make_unique<CQuelpView>(doc);
        QObject::connect(view.get(), &CQuelpView::statusTextChanged,
                         [this](const QString& text) { status = text; });
        view->resize(900, 500);
        view->show();
        QApplication::setActiveWindow(view.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    /** Puts a sheet of width x height pixels into a page, every chip of its own colour. */
    void LoadSheet(int pageNumber, int width, int height)
    {
        QImage sheet(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                sheet.setPixel(x, y, qRgb(x / 16 * 13 % 256, y / 16 * 29 % 256, 128));
        CChipPage& page = doc.ChipPages[pageNumber];
        page.Image.Pixels = sheet;
        page.Image.BitsPerPixel = 32;
        page.FilePath = "sheet.png";
        int w = ChipWidth;
        int h = ChipHeight;
        ASSERT_TRUE(CutChipPage(page, w, h));
    }

    CRightView* Map() const { return view->RightView(); }
    CLeftView* Palette() const { return view->LeftView(); }
    QWidget* MapPort() const { return Map()->viewport(); }

    /** The window point of the centre of a cell at the current zoom, unscrolled. */
    QPoint CellCentre(int column, int row) const
    {
        const int z = doc.Zoom;
        return {16 + (column * 16 + 8) * z / 4, 16 + (row * 16 + 8) * z / 4};
    }

    int16_t Cell(int position, int x, int y) const
    {
        const CLayerData& layer = doc.Layers[position];
        return layer.HasGrid() ? (*layer.Cells)[y * doc.Columns + x] : int16_t(-1);
    }

    void ClickMap(Qt::MouseButton button, QPoint at)
    {
        QTest::mousePress(MapPort(), button, {}, at);
        QTest::mouseRelease(MapPort(), button, {}, at);
    }

    /** Press, a few moves with the button held, release. */
    void DragMap(Qt::MouseButton button, QPoint from, QPoint to)
    {
        QTest::mousePress(MapPort(), button, {}, from);
        for (int step = 1; step <= 4; ++step)
            MoveMouse(MapPort(), from + (to - from) * step / 4, button);
        QTest::mouseRelease(MapPort(), button, {}, to);
    }

    static void MoveMouse(QWidget* widget, QPoint at, Qt::MouseButton held = Qt::NoButton)
    {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton,
                         held == Qt::NoButton ? Qt::MouseButtons() : Qt::MouseButtons(held),
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
};
