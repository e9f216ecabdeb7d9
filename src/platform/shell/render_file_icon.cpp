#include "platform/shell/render_file_icon.h"

#include <QAbstractFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "platform/filesystem/native_path.h"
#include "platform/shell/picture.h"

namespace lumaro::shell {

namespace {

constexpr auto kGuiWait = std::chrono::seconds(5);
constexpr std::size_t kMaxKeptPictures = 512;

using CacheKey = std::tuple<std::string, int, int, std::uint32_t>;

std::mutex& cacheMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<CacheKey, std::string>& cache() {
    static std::map<CacheKey, std::string> kept;
    return kept;
}

// Files whose icon is their own (embedded, or the shortcut's target's) are never shared.
bool iconIsItsOwn(const QString& fileName, const QMimeType& mime) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"exe" || suffix == u"ico" || suffix == u"icl" || suffix == u"lnk" ||
        suffix == u"desktop") {
        return true;
    }
    static const char* const ownTypes[] = {
        "application/x-executable",    "application/x-sharedlib", "application/x-ms-dos-executable",
        "application/x-ms-shortcut",   "application/x-desktop",   "image/vnd.microsoft.icon",
        "application/x-pie-executable"};
    for (const char* type : ownTypes) {
        if (mime.inherits(QString::fromLatin1(type))) {
            return true;
        }
    }
    return false;
}

QIcon desktopIcon(const QString& path, const QMimeType& mime) {
    if (QIcon::themeName().isEmpty()) {
        // Without a desktop session (offscreen, or a bare X server) no platform theme names an
        // icon theme or its folders; look where the desktop installs them.
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString& dir :
             QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
            paths << dir + QStringLiteral("/icons");
        }
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(QStringLiteral("Adwaita"));
        QIcon::setFallbackThemeName(QStringLiteral("hicolor"));
    }
    QIcon icon = QIcon::fromTheme(mime.iconName());
    if (icon.isNull()) {
        icon = QIcon::fromTheme(mime.genericIconName());
    }
    if (icon.isNull()) {
        icon = QAbstractFileIconProvider().icon(QFileInfo(path));
    }
    return icon;
}

Picture toPicture(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Picture picture{image.width(), image.height(), {}};
    picture.pixels.reserve(std::size_t(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), line, line + image.width());
    }
    return picture;
}

// Runs on the GUI thread only.
std::string drawOnGuiThread(const QString& path, const QMimeType& mime, int width, int height,
                            std::uint32_t background) {
    const QIcon icon = desktopIcon(path, mime);
    if (icon.isNull()) {
        return encodeBmp(genericDocumentPicture(width, height, background));
    }
    QImage surface(width, height, QImage::Format_ARGB32);
    surface.fill(QColor::fromRgb(0xFF000000u | background));
    {
        QPainter painter(&surface);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QRect(0, 0, width, height), icon.pixmap(QSize(width, height)));
    }
    return encodeBmp(toPicture(surface));
}

// Hands the drawing to the GUI thread and waits a bounded time for it.
std::string drawViaGuiThread(QGuiApplication* app, const QString& path, const QMimeType& mime,
                             int width, int height, std::uint32_t background) {
    if (QThread::currentThread() == app->thread()) {
        return drawOnGuiThread(path, mime, width, height, background);
    }
    auto promise = std::make_shared<std::promise<std::string>>();
    std::future<std::string> result = promise->get_future();
    QMetaObject::invokeMethod(
        app,
        [promise, path, mime, width, height, background] {
            promise->set_value(drawOnGuiThread(path, mime, width, height, background));
        },
        Qt::QueuedConnection);
    if (result.wait_for(kGuiWait) != std::future_status::ready) {
        return {};
    }
    return result.get();
}

}  // namespace

std::string renderFileIcon(std::string_view path, int width, int height, std::uint32_t background) {
    width = std::clamp(width, 1, 256);
    height = std::clamp(height, 1, 256);
    background &= 0xFFFFFF;
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        return encodeBmp(genericDocumentPicture(width, height, background));
    }
    const QString nativePath = QString::fromStdString(filesystem::toNativePath(path));
    // The database is safe on any thread; it looks at the name first and at the content only
    // when the name does not decide.
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(nativePath);
    const bool shareable = !iconIsItsOwn(nativePath, mime);
    const CacheKey key{mime.name().toStdString(), width, height, background};
    if (shareable) {
        std::lock_guard lock(cacheMutex());
        const auto found = cache().find(key);
        if (found != cache().end()) {
            return found->second;
        }
    }
    std::string bmp = drawViaGuiThread(app, nativePath, mime, width, height, background);
    if (bmp.empty()) {
        return encodeBmp(genericDocumentPicture(width, height, background));
    }
    if (shareable) {
        std::lock_guard lock(cacheMutex());
        if (cache().size() < kMaxKeptPictures) {
            cache().emplace(key, bmp);
        }
    }
    return bmp;
}

void clearRenderedIconCache() {
    std::lock_guard lock(cacheMutex());
    cache().clear();
}

}  // namespace lumaro::shell
