#pragma once
// The icon list of the local pane as the icon lookup grows it. An image identical to one this
// object already appended is not appended again: its index is reused, so listing the same
// folders again and again keeps the list bounded by the number of distinct pictures, while
// the first appends still get 12, 13, ...
//
// Threads: any. One lock makes "look for an equal image, else append" one step, so two
// lookups never append the same picture twice nor read a half-grown list.

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "ui/image.h"
#include "ui/list_view.h"

namespace lumaro::icons {

class LocalIconList {
public:
    // `list` must outlive this object (the window layer keeps controls for the process's life).
    explicit LocalIconList(ui::ListView& list) : m_list(list) {}

    // Index of `image` in the list: a reused one or a newly appended one; -1 when the list
    // refuses the image (the list is then unchanged).
    int indexFor(const ui::Image& image);

    // How many images this object has appended so far.
    int appendedCount() const;

private:
    static std::uint64_t hashOf(const ui::Image& image);

    ui::ListView& m_list;
    mutable std::mutex m_mutex;
    std::unordered_map<std::uint64_t, std::vector<int>> m_appended;
    int m_appendedCount = 0;
};

}  // namespace lumaro::icons
