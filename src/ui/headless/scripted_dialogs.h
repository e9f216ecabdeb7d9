#pragma once
// Dialogs answered from a script: a test queues the answers it wants, runs the system, and reads
// back every box that was shown. Thread-safe; a box shown from any thread takes the next answer
// of its kind. With no answer queued: a confirmation answers Yes, an input box and a folder
// chooser are cancelled.
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace lumaro::ui::headless {

enum class DialogKind { Message, Confirm, Input, Folder };

struct ShownDialog {
    DialogKind kind;
    std::string caption;  // the title of a folder chooser
    std::string text;     // the text or prompt ("" for a folder chooser)
    MessageIcon icon = MessageIcon::None;
    std::string initial;  // input box only
};

class ScriptedDialogs : public ui::Dialogs {
public:
    void messageBox(const std::string& caption, const std::string& text, MessageIcon icon) override;
    Answer confirm(const std::string& caption, const std::string& text) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;

    void queueConfirm(Answer answer);
    void queueInput(std::optional<std::string> answer);
    void queueFolder(std::optional<std::string> answer);

    std::vector<ShownDialog> shown() const;
    // The texts of the message boxes shown, in order.
    std::vector<std::string> messageTexts() const;
    void clearShown();

private:
    mutable std::mutex m_mutex;
    std::deque<Answer> m_confirms;
    std::deque<std::optional<std::string>> m_inputs;
    std::deque<std::optional<std::string>> m_folders;
    std::vector<ShownDialog> m_shown;
};

}  // namespace lumaro::ui::headless
