#pragma once
// Texts crossing between the system (GB18030 std::string) and Qt (QString). Thread-safe.
#include <QString>
#include <string>

#include "platform/text/encoding.h"

namespace lumaro::ui::qt {

inline QString toQString(const std::string& gb) {
    const std::string utf8 = text::toUtf8(gb);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string fromQString(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return text::fromUtf8(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

// Byte length of a Qt text once it is a system text.
inline int gbLength(const QString& s) {
    return static_cast<int>(fromQString(s).size());
}

}  // namespace lumaro::ui::qt
