#pragma once
// Dialogs: the modal boxes the system shows. Every call may be made from any thread; the Qt
// binding shows the box on the user-interface thread, modal for the application, and the calling
// thread waits for the answer. The headless binding answers from a script and records each call.
// Texts are GB18030.
#include <optional>
#include <string>

namespace lumaro::ui {

enum class MessageIcon { None, Information, Question, Warning, Error };

enum class Answer { Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with a single OK button.
    virtual void messageBox(const std::string& caption, const std::string& text,
                            MessageIcon icon) = 0;
    // A confirmation with Yes and No buttons and a question icon.
    virtual Answer confirm(const std::string& caption, const std::string& text) = 0;
    // An input box with a prompt, one edit field holding `initial`, and the buttons
    // "确认输入(&O)" and "取消(&C)": the typed text when confirmed, nullopt when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& initial) = 0;
    // A folder chooser with an edit box for typing a path: the chosen path, nullopt when
    // cancelled.
    virtual std::optional<std::string> chooseFolder(const std::string& title) = 0;
};

}  // namespace lumaro::ui
