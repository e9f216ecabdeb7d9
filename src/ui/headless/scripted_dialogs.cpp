#include "ui/headless/scripted_dialogs.h"

namespace lumaro::ui::headless {

void ScriptedDialogs::messageBox(const std::string& caption, const std::string& text,
                                 MessageIcon icon) {
    std::lock_guard lock(m_mutex);
    m_shown.push_back({DialogKind::Message, caption, text, icon, {}});
}

Answer ScriptedDialogs::confirm(const std::string& caption, const std::string& text) {
    std::lock_guard lock(m_mutex);
    m_shown.push_back({DialogKind::Confirm, caption, text, MessageIcon::Question, {}});
    if (m_confirms.empty()) {
        return Answer::Yes;
    }
    const Answer a = m_confirms.front();
    m_confirms.pop_front();
    return a;
}

std::optional<std::string> ScriptedDialogs::inputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initial) {
    std::lock_guard lock(m_mutex);
    m_shown.push_back({DialogKind::Input, caption, prompt, MessageIcon::None, initial});
    if (m_inputs.empty()) {
        return std::nullopt;
    }
    auto a = m_inputs.front();
    m_inputs.pop_front();
    return a;
}

std::optional<std::string> ScriptedDialogs::chooseFolder(const std::string& title) {
    std::lock_guard lock(m_mutex);
    m_shown.push_back({DialogKind::Folder, title, {}, MessageIcon::None, {}});
    if (m_folders.empty()) {
        return std::nullopt;
    }
    auto a = m_folders.front();
    m_folders.pop_front();
    return a;
}

void ScriptedDialogs::queueConfirm(Answer answer) {
    std::lock_guard lock(m_mutex);
    m_confirms.push_back(answer);
}

void ScriptedDialogs::queueInput(std::optional<std::string> answer) {
    std::lock_guard lock(m_mutex);
    m_inputs.push_back(std::move(answer));
}

void ScriptedDialogs::queueFolder(std::optional<std::string> answer) {
    std::lock_guard lock(m_mutex);
    m_folders.push_back(std::move(answer));
}

std::vector<ShownDialog> ScriptedDialogs::shown() const {
    std::lock_guard lock(m_mutex);
    return m_shown;
}

std::vector<std::string> ScriptedDialogs::messageTexts() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> texts;
    for (const ShownDialog& d : m_shown) {
        if (d.kind == DialogKind::Message) {
            texts.push_back(d.text);
        }
    }
    return texts;
}

void ScriptedDialogs::clearShown() {
    std::lock_guard lock(m_mutex);
    m_shown.clear();
}

}  // namespace lumaro::ui::headless
