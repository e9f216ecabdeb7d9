#include "ui/qt/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "ui/main_window_design.h"

namespace lumaro::ui::qt {

namespace {

QImage blank(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A white page with a folded top-right corner, filling most of a 32 x 32 icon.
void drawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(6.5, 1.5);
    page.lineTo(20.5, 1.5);
    page.lineTo(26.5, 7.5);
    page.lineTo(26.5, 30.5);
    page.lineTo(6.5, 30.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(110, 110, 120), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(20.5, 1.5);
    fold.lineTo(20.5, 7.5);
    fold.lineTo(26.5, 7.5);
    fold.closeSubpath();
    p.setBrush(QColor(220, 222, 230));
    p.drawPath(fold);
}

void drawGear(QPainter& p, QPointF centre, double radius, QColor colour) {
    p.save();
    p.translate(centre);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.rotate(i * 45.0);
        p.drawRect(QRectF(-radius * 0.22, -radius * 1.15, radius * 0.44, radius * 0.5));
        p.restore();
    }
    p.drawEllipse(QPointF(0, 0), radius * 0.85, radius * 0.85);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), radius * 0.35, radius * 0.35);
    p.restore();
}

void drawFolder(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(230, 180, 50));
    QPainterPath back;
    back.moveTo(2.5, 7.5);
    back.lineTo(12.5, 7.5);
    back.lineTo(15.5, 10.5);
    back.lineTo(29.5, 10.5);
    back.lineTo(29.5, 27.5);
    back.lineTo(2.5, 27.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(250, 210, 80));
    p.drawRect(QRectF(2.5, 13.5, 27, 14));
}

void drawGraphic(QPainter& p) {
    drawPage(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 60, 60));
    p.drawEllipse(QRectF(9, 10, 9, 9));
    p.setBrush(QColor(60, 120, 230));
    p.drawRect(QRectF(15, 16, 9, 9));
    p.setBrush(QColor(60, 190, 80));
    QPolygonF tri({QPointF(9, 28), QPointF(14, 19), QPointF(19, 28)});
    p.drawPolygon(tri);
}

void drawPaint(QPainter& p) {
    drawPage(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 120, 230));
    p.drawEllipse(QRectF(9, 20, 8, 7));
    p.save();
    p.translate(16, 18);
    p.rotate(-45);
    p.setBrush(QColor(150, 90, 40));
    p.drawRect(QRectF(-1.5, -13, 3, 10));
    p.setBrush(QColor(180, 180, 190));
    p.drawRect(QRectF(-2, -4, 4, 3));
    p.setBrush(QColor(230, 60, 60));
    p.drawEllipse(QRectF(-2.5, -1.5, 5, 6));
    p.restore();
}

void drawPhoto(QPainter& p) {
    drawPage(p);
    p.setPen(QPen(QColor(80, 80, 90), 1));
    p.setBrush(QColor(120, 190, 240));
    p.drawRect(QRectF(9.5, 11.5, 14, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 60));
    p.drawEllipse(QRectF(18, 13, 4, 4));
    p.setBrush(QColor(40, 140, 60));
    p.drawPolygon(QPolygonF({QPointF(10, 23), QPointF(15, 16), QPointF(20, 23)}));
}

// An application window: a pale frame with a blue title bar `barHeight` high.
void drawWindowPicture(QPainter& p, const QRectF& frame, qreal barHeight) {
    p.setPen(QPen(QColor(60, 60, 80), 1));
    p.setBrush(QColor(245, 245, 250));
    p.drawRect(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 80, 180));
    p.drawRect(QRectF(frame.left() + 0.5, frame.top() + 0.5, frame.width() - 1, barHeight));
}

void drawApplication(QPainter& p) {
    drawWindowPicture(p, QRectF(2.5, 5.5, 27, 21), 4);
}

void drawOtherFile(QPainter& p) {
    drawPage(p);
    drawWindowPicture(p, QRectF(10.5, 16.5, 12, 9), 2);
}

void drawSettings(QPainter& p) {
    drawPage(p);
    drawGear(p, QPointF(16.5, 19), 5.5, QColor(110, 110, 130));
}

void drawText(QPainter& p) {
    // A note pad: a yellow pad with a spiral binding and ruled lines.
    p.setPen(QPen(QColor(110, 110, 120), 1));
    p.setBrush(QColor(255, 250, 200));
    p.drawRect(QRectF(6.5, 4.5, 20, 26));
    p.setPen(QPen(QColor(120, 140, 200), 1));
    for (int y = 11; y <= 27; y += 4) {
        p.drawLine(QPointF(9, y + 0.5), QPointF(24, y + 0.5));
    }
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    for (int x = 9; x <= 24; x += 4) {
        p.drawLine(QPointF(x, 2), QPointF(x, 7));
    }
}

void drawLibrary(QPainter& p) {
    drawPage(p);
    drawGear(p, QPointF(13, 15), 4.0, QColor(110, 110, 130));
    drawGear(p, QPointF(20, 23), 4.0, QColor(70, 100, 160));
}

void drawScriptPage(QPainter& p) {
    drawPage(p);
    p.setPen(QPen(QColor(40, 110, 200), 1));
    p.setBrush(QColor(150, 210, 250));
    p.drawEllipse(QRectF(14.5, 16.5, 10, 10));
    p.drawLine(QPointF(14.5, 21.5), QPointF(24.5, 21.5));
    p.drawEllipse(QRectF(17.5, 16.5, 4, 10));
    drawGear(p, QPointF(12, 12), 3.5, QColor(110, 110, 130));
}

void drawArchive(QPainter& p) {
    const QColor covers[3] = {QColor(200, 60, 60), QColor(60, 120, 200), QColor(60, 160, 80)};
    p.setPen(QPen(QColor(60, 60, 60), 1));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(covers[i]);
        p.drawRect(QRectF(4.5, 6.5 + i * 7, 23, 6));
        p.fillRect(QRectF(6, 8 + i * 7, 20, 3), QColor(250, 250, 240));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(14, 4, 4, 25));
    p.setBrush(QColor(220, 190, 60));
    p.drawRect(QRectF(13, 15, 6, 4));
}

void drawWebPage(QPainter& p) {
    drawPage(p);
    p.setPen(QPen(QColor(30, 90, 200), 1));
    p.setBrush(QColor(120, 190, 250));
    p.drawEllipse(QRectF(9.5, 12.5, 14, 14));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(13.5, 12.5, 6, 14));
    p.drawLine(QPointF(9.5, 19.5), QPointF(23.5, 19.5));
    p.setPen(QPen(QColor(230, 120, 30), 2));
    p.drawLine(QPointF(8, 8), QPointF(18, 8));
}

void drawArrow(QPainter& p, bool up, QColor colour) {
    QPolygonF arrow =
        up ? QPolygonF({QPointF(12, 2), QPointF(20, 11), QPointF(15, 11), QPointF(15, 17),
                        QPointF(9, 17), QPointF(9, 11), QPointF(4, 11)})
           : QPolygonF({QPointF(12, 18), QPointF(20, 9), QPointF(15, 9), QPointF(15, 2),
                        QPointF(9, 2), QPointF(9, 9), QPointF(4, 9)});
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawPolygon(arrow);
    p.setBrush(QColor(120, 120, 130));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(3, 19, 18, 3));
}

void drawPlug(QPainter& p, QColor colour, bool broken) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    const double gap = broken ? 3.0 : 0.0;
    p.drawRoundedRect(QRectF(2 - gap, 8, 9, 8), 2, 2);
    p.drawRoundedRect(QRectF(13 + gap, 8, 9, 8), 2, 2);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawLine(QPointF(11 - gap, 10), QPointF(13 - gap * 0.3, 10));
    p.drawLine(QPointF(11 - gap, 14), QPointF(13 - gap * 0.3, 14));
    if (broken) {
        p.setPen(QPen(QColor(200, 30, 30), 2));
        p.drawLine(QPointF(9, 3), QPointF(15, 21));
    }
}

}  // namespace

QImage drawToolPicture(int index) {
    QImage img = blank(design::kToolPictureSize);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
        case 0:
            drawArrow(p, true, QColor(60, 140, 230));
            break;
        case 1:
            drawArrow(p, false, QColor(50, 170, 80));
            break;
        case 2:
            drawPlug(p, QColor(70, 180, 90), false);
            break;
        case 3:
            drawPlug(p, QColor(150, 150, 160), true);
            break;
        default:
            break;
    }
    return img;
}

QImage drawFileTypeIcon(int index) {
    QImage img = blank(design::kFileIconSize);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    using Draw = void (*)(QPainter&);
    static const Draw draws[design::kFileIconCount] = {
        drawFolder,   drawGraphic, drawPaint,   drawPhoto,      drawApplication, drawOtherFile,
        drawSettings, drawText,    drawLibrary, drawScriptPage, drawArchive,     drawWebPage};
    if (index >= 0 && index < design::kFileIconCount) {
        draws[index](p);
    }
    return img;
}

std::vector<Image> toolPictures() {
    std::vector<Image> v;
    for (int i = 0; i < design::kToolPictureCount; ++i) {
        v.push_back(toImage(drawToolPicture(i)));
    }
    return v;
}

std::vector<Image> fileTypeIcons() {
    std::vector<Image> v;
    for (int i = 0; i < design::kFileIconCount; ++i) {
        v.push_back(toImage(drawFileTypeIcon(i)));
    }
    return v;
}

Image toImage(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Image out{argb.width(), argb.height(), {}};
    out.pixels.reserve(static_cast<std::size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        out.pixels.insert(out.pixels.end(), line, line + argb.width());
    }
    return out;
}

QImage toQImage(const Image& image) {
    if (!image.isValid()) {
        return {};
    }
    QImage out(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        std::copy_n(image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width,
                    image.width, line);
    }
    return out;
}

}  // namespace lumaro::ui::qt
