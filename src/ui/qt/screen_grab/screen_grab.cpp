// lumaro-screen-grab OUTPUT.png [SECONDS]: photographs the X screen (of $DISPLAY) and saves the
// part that is not bare background (the program's window on an otherwise empty Xvfb screen) as
// a PNG. Used by scripts/run and the screenshot check to photograph the program from outside.
// Waits up to SECONDS (default 20) for something other than a blank screen.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

bool isBlank(const QImage& img) {
    if (img.isNull()) {
        return true;
    }
    const QRgb first = img.pixel(0, 0);
    for (int y = 0; y < img.height(); y += 4) {
        for (int x = 0; x < img.width(); x += 4) {
            if (img.pixel(x, y) != first) {
                return false;
            }
        }
    }
    return true;
}

// The smallest rectangle holding every pixel that differs from the top-left one.
QRect contentOf(const QImage& img) {
    const QRgb background = img.pixel(0, 0);
    int left = img.width();
    int top = img.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? img.rect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: lumaro-screen-grab OUTPUT.png [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 20.0;
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "no screen\n");
        return 1;
    }
    QImage shot;
    for (int waited = 0; waited <= static_cast<int>(seconds * 10); ++waited) {
        shot = screen->grabWindow(0).toImage();
        if (!isBlank(shot)) {
            break;
        }
        QThread::msleep(100);
    }
    // Give the window a moment to finish painting once it has appeared.
    QThread::msleep(700);
    shot = screen->grabWindow(0).toImage();
    if (!shot.isNull()) {
        shot = shot.copy(contentOf(shot));
    }
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "could not save %s\n", argv[1]);
        return 1;
    }
    return isBlank(shot) ? 3 : 0;
}
