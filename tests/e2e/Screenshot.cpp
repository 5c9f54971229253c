// Saves a picture of the whole X display, or of one window, as a PNG file.
// Usage: vorn_screenshot OUT.png [WINDOW-ID]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [WINDOW-ID]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const WId window = argc > 2 ? static_cast<WId>(std::strtoul(argv[2], nullptr, 0)) : 0;
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
    return !picture.isNull() && picture.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
