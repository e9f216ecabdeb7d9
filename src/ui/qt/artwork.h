#pragma once
// Our own artwork, drawn in code: the four 24 x 24 toolbar pictures (0 upload, 1 download,
// 2 connect, 3 disconnect) and the twelve 32 x 32 file-type icons in their fixed order
// (0 folder, 1 graphic, 2 paint, 3 photo, 4 application, 5 other file, 6 settings, 7 text,
// 8 library/database, 9 script page, 10 archive, 11 web page), all with transparency.
// Any thread may draw (QImage only).
#include <QImage>
#include <vector>

#include "ui/image.h"

namespace lumaro::ui::qt {

QImage drawToolPicture(int index);
QImage drawFileTypeIcon(int index);

std::vector<Image> toolPictures();
std::vector<Image> fileTypeIcons();

// Conversions between QImage and the window layer's Image (non-premultiplied ARGB).
Image toImage(const QImage& image);
QImage toQImage(const Image& image);

}  // namespace lumaro::ui::qt
