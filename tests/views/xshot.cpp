// Test tool for the end-to-end run under a virtual X server: saves a screenshot of a window's
// rectangle and finds the map view's and the palette's frames in it, so that the script can
// click cells and chips. Usage: xshot OUT.png X Y WIDTH HEIGHT
// Prints "map X Y" (screen position of the map's top-left pixel, inside the frame corner) and
// "palette X Y" (screen position of chip 0's top-left pixel).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr QRgb kFrame = 0x00C8C8;   // RGB(0, 200, 200), the frame and grid colour

bool IsFrame(const QImage& shot, int x, int y)
{
    return x >= 0 && y >= 0 && x < shot.width() && y < shot.height()
        && (shot.pixel(x, y) & 0xFFFFFF) == kFrame;
}

/** The first pixel in row order that starts a frame corner: runs of 20 frame pixels to the
 *  right and downwards, nothing of the frame left of or above it. x < limitX. */
bool FindCorner(const QImage& shot, int limitX, QPoint& corner)
{
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < limitX && x < shot.width(); ++x) {
            if (!IsFrame(shot, x, y) || IsFrame(shot, x - 1, y) || IsFrame(shot, x, y - 1))
                continue;
            bool run = true;
            for (int k = 1; k < 20 && run; ++k)
                run = IsFrame(shot, x + k, y) && IsFrame(shot, x, y + k);
            if (run) {
                corner = {x, y};
                return true;
            }
        }
    }
    return false;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: xshot OUT.png X Y WIDTH HEIGHT\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QRect window(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                       std::atoi(argv[5]));
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 3;
    const QImage shot = screen->grabWindow(0, window.x(), window.y(), window.width(),
                                           window.height()).toImage();
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1])))
        return 4;
    QPoint map;
    QPoint palette;
    // The map's frame starts at view pixel 16, the palette's at 63: the map's comes first.
    if (!FindCorner(shot, shot.width(), map) || !FindCorner(shot, map.x() - 16, palette))
        return 5;
    std::printf("map %d %d\n", window.x() + map.x(), window.y() + map.y());
    std::printf("palette %d %d\n", window.x() + palette.x() + 1, window.y() + palette.y() + 1);
    return 0;
}
