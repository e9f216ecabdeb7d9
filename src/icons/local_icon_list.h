#pragma once
// The icon list of the local pane as the icon lookup grows it. An image identical to one this
// object already appended is not appended again: its index is reused, so listing the same
// folders again and again keeps the list bounded by the number of distinct pictures, while
// the first appends still get 12, 13, ...
//
// Threads: any. The lock guards this object's own record only and is never held while the
// list is called: a list call from a worker waits for the user-interface thread, which may
// itself be waiting here, so holding the lock across it could deadlock. Two lookups that miss
// the same new picture at the same moment may therefore both append it (a rare duplicate);
// every later lookup reuses one of them.
//
// Contract: after the window's copy of the icon set, the list's icon list grows only through
// this object (the indices it recorded stay valid for the life of the window).

#include <cstdint>
#include <mutex>
#include <optional>
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
    struct Appended {
        int index;
        ui::Image image;
    };
    static std::uint64_t hashOf(const ui::Image& image);
    std::optional<int> known(std::uint64_t hash, const ui::Image& image) const;

    ui::ListView& m_list;
    mutable std::mutex m_mutex;
    std::unordered_map<std::uint64_t, std::vector<Appended>> m_appended;
    int m_appendedCount = 0;
};

}  // namespace lumaro::icons
