// Saves a picture of one X window as the screen shows it, for the manual's screenshots
// (scripts/screenshots). Usage: windowshot OUT.png WINDOW_ID (0: the whole screen)
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: windowshot OUT.png WINDOW_ID\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    const WId window = static_cast<WId>(std::strtoull(argv[2], nullptr, 0));
    if (!screen)
        return 2;
    const QPixmap shot = screen->grabWindow(window);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "windowshot: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
