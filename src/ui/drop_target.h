#pragma once
// DropTarget: receives files dragged from the desktop's file manager and dropped on its area.
// Threads: any. Paths are GB18030 full local paths.
#include <string>
#include <vector>

#include "ui/event.h"

namespace lumaro::ui {

class ListView;

class DropTarget {
public:
    virtual ~DropTarget() = default;
    // Makes the window of `area` the drop area (done once, when the window is created).
    virtual void registerArea(ListView& area) = 0;
    virtual bool isRegistered() const = 0;

    // Files were dropped: their full paths, in the order the file manager gives them.
    Event<std::vector<std::string>> filesDropped;
};

}  // namespace lumaro::ui
