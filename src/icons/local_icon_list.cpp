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

std::optional<int> LocalIconList::known(std::uint64_t hash, const ui::Image& image) const {
    const auto found = m_appended.find(hash);
    if (found != m_appended.end()) {
        for (const Appended& appended : found->second) {
            if (appended.image == image) {
                return appended.index;
            }
        }
    }
    return std::nullopt;
}

int LocalIconList::indexFor(const ui::Image& image) {
    if (!image.isValid()) {
        return -1;
    }
    const std::uint64_t hash = hashOf(image);
    {
        std::lock_guard lock(m_mutex);
        if (const auto index = known(hash, image)) {
            return *index;
        }
    }
    const int index = m_list.appendImage(image);  // no lock held: see the class comment
    if (index < 0) {
        return -1;
    }
    std::lock_guard lock(m_mutex);
    m_appended[hash].push_back({index, image});
    ++m_appendedCount;
    return index;
}

int LocalIconList::appendedCount() const {
    std::lock_guard lock(m_mutex);
    return m_appendedCount;
}

}  // namespace lumaro::icons
