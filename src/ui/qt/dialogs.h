#pragma once
// The real modal boxes: QMessageBox, QInputDialog and a folder chooser with a path field, shown
// on the user-interface thread; a worker calling them waits for the answer. After shutdown the
// boxes are not shown: a message does nothing, a confirmation answers No, an input box and a
// folder chooser are cancelled.
#include "ui/dialogs.h"
#include "ui/qt/ui_thread.h"

namespace lumaro::ui::qt {

class Dialogs : public ui::Dialogs {
public:
    explicit Dialogs(UiThread& ui) : m_ui(ui) {}
    void messageBox(const std::string& caption, const std::string& text, MessageIcon icon) override;
    Answer confirm(const std::string& caption, const std::string& text) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;

private:
    UiThread& m_ui;
};

}  // namespace lumaro::ui::qt
