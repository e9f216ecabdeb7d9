#pragma once
// ActivityLog: the message log 消息框, one line per transferred or deleted file.
//
// Threads: appendLine may be called from any thread. Each line and its CR LF go to the box in
// one whole append of the window layer, so lines of two workers never split each other; they
// follow in arrival order.

#include <string_view>

#include "ui/edit_box.h"

namespace lumaro::app {

class ActivityLog {
public:
    // `box` is the window's 消息框, which outlives every worker (window layer contract).
    explicit ActivityLog(ui::EditBox& box) : m_box(box) {}

    // Appends `text` + CR LF at the end: after whatever the box holds, the user's own typing
    // included, with nothing trimmed.
    void appendLine(std::string_view text);

    // Empties the log (the upload command and the remote delete do this when they start).
    void clear();

private:
    ui::EditBox& m_box;
};

}  // namespace lumaro::app
