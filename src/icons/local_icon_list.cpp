#include "icons/local_icon_list.h"

namespace lumaro::icons {

std::uint64_t LocalIconList::hashOf(const ui::Image& image) {
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
    const auto mix = [&hash](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            hash = (hash ^ (value >> (8 * i) & 0xFF)) * 1099511628211ull;
        }
    };
    mix(static_cast<std::uint32_t>(image.width));
    mix(static_cast<std::uint32_t>(image.height));
    for (const std::uint32_t pixel : image.pixels) {
        mix(pixel);
    }
    return hash;
}

int LocalIconList::indexFor(const ui::Image& image) {
    if (!image.isValid()) {
        return -1;
    }
    const std::uint64_t hash = hashOf(image);
    std::lock_guard lock(m_mutex);
    std::vector<int>& candidates = m_appended[hash];
    // The list is checked, not trusted: a list rebuilt meanwhile (a new window) holds other
    // images at those positions, and then the picture is appended afresh.
    for (const int index : candidates) {
        if (index < m_list.imageCount() && m_list.image(index) == image) {
            return index;
        }
    }
    const int index = m_list.appendImage(image);
    if (index >= 0) {
        candidates.push_back(index);
        ++m_appendedCount;
    }
    return index;
}

int LocalIconList::appendedCount() const {
    std::lock_guard lock(m_mutex);
    return m_appendedCount;
}

}  // namespace lumaro::icons
