#include "ui/headless/controls.h"

#include <algorithm>

#include "ui/input_limit.h"

namespace lumaro::ui::headless {

// --- Button

Button::Button(const AliveFlag& alive, Rect designed, std::string caption)
    : ControlImpl(alive, designed), m_designedCaption(std::move(caption)) {}

std::string Button::caption() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_caption : std::string();
}

void Button::setCaption(const std::string& caption) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_caption = caption;
    }
}

void Button::reset() {
    resetControl();
    std::lock_guard lock(m_mutex);
    m_caption = m_designedCaption;
}

void Button::userClick() {
    if (isEnabled()) {
        clicked.fire();
    }
}

// --- Label

Label::Label(const AliveFlag& alive, Rect designed, std::string text)
    : ControlImpl(alive, designed), m_designedText(std::move(text)) {}

std::string Label::text() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_text : std::string();
}

void Label::setText(const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_text = text;
    }
}

void Label::reset() {
    resetControl();
    std::lock_guard lock(m_mutex);
    m_text = m_designedText;
}

// --- EditBox

EditBox::EditBox(const AliveFlag& alive, Rect designed, bool multiLine, std::string text, int limit)
    : ControlImpl(alive, designed),
      m_multiLine(multiLine),
      m_designedText(std::move(text)),
      m_designedLimit(limit),
      m_limit(limit) {}

std::string EditBox::text() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_text : std::string();
}

void EditBox::setText(const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_text = text;
    }
}

void EditBox::appendAtEnd(const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_text += text;
    }
}

int EditBox::inputLimit() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_limit : 0;
}

void EditBox::setInputLimit(int bytes) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_limit = std::max(bytes, 0);
    }
}

void EditBox::reset() {
    resetControl();
    std::lock_guard lock(m_mutex);
    m_text = m_designedText;
    m_limit = m_designedLimit;
}

// What of `typed` fits after `current` within `limit` bytes, cut on a character boundary.
static std::string fittingPart(const std::string& current, const std::string& typed, int limit) {
    if (limit <= 0) {
        return typed;
    }
    const int room = limit - static_cast<int>(current.size());
    return room <= 0 ? std::string() : cutToInputLimit(typed, room);
}

std::string EditBox::userType(const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (!alive()) {
        return {};
    }
    std::string typed = fittingPart(m_text, text, m_limit);
    m_text += typed;
    return typed;
}

void EditBox::userPressEnter() {
    if (alive()) {
        enterPressed.fire();
    }
}

// --- ComboBox

ComboBox::ComboBox(const AliveFlag& alive, Rect designed, int limit)
    : ControlImpl(alive, designed), m_designedLimit(limit), m_limit(limit) {}

std::string ComboBox::text() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_text : std::string();
}

void ComboBox::setText(const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_text = text;
    }
}

int ComboBox::itemCount() const {
    std::lock_guard lock(m_mutex);
    return alive() ? static_cast<int>(m_items.size()) : 0;
}

std::string ComboBox::itemText(int index) const {
    std::lock_guard lock(m_mutex);
    if (!alive() || index < 0 || index >= static_cast<int>(m_items.size())) {
        return {};
    }
    return m_items[static_cast<std::size_t>(index)];
}

int ComboBox::addItem(const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (!alive()) {
        return -1;
    }
    m_items.push_back(text);
    return static_cast<int>(m_items.size()) - 1;
}

void ComboBox::removeItem(int index) {
    std::lock_guard lock(m_mutex);
    if (!alive() || index < 0 || index >= static_cast<int>(m_items.size())) {
        return;
    }
    m_items.erase(m_items.begin() + index);
    // The selected item itself goes away: nothing stays selected (the text stays). A selection
    // after it moves up with its item.
    if (m_selected == index) {
        m_selected = -1;
    } else if (m_selected > index) {
        --m_selected;
    }
}

void ComboBox::clearItems() {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_items.clear();
        m_selected = -1;
    }
}

int ComboBox::selectedIndex() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_selected : -1;
}

void ComboBox::setSelectedIndex(int index) {
    std::lock_guard lock(m_mutex);
    if (!alive()) {
        return;
    }
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        m_selected = -1;
        m_text.clear();
        return;
    }
    m_selected = index;
    m_text = m_items[static_cast<std::size_t>(index)];
}

int ComboBox::inputLimit() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_limit : 0;
}

void ComboBox::setInputLimit(int bytes) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_limit = std::max(bytes, 0);
    }
}

void ComboBox::reset() {
    resetControl();
    std::lock_guard lock(m_mutex);
    m_text.clear();
    m_items.clear();
    m_selected = -1;
    m_limit = m_designedLimit;
}

void ComboBox::userPick(int index) {
    {
        std::lock_guard lock(m_mutex);
        if (!alive() || index < 0 || index >= static_cast<int>(m_items.size())) {
            return;
        }
        m_selected = index;
        m_text = m_items[static_cast<std::size_t>(index)];
    }
    itemPicked.fire(index);
}

std::string ComboBox::userType(const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (!alive()) {
        return {};
    }
    std::string typed = fittingPart(m_text, text, m_limit);
    m_text += typed;
    // Typed text that no longer names the selected item leaves nothing selected.
    if (m_selected >= 0 && m_text != m_items[static_cast<std::size_t>(m_selected)]) {
        m_selected = -1;
    }
    return typed;
}

void ComboBox::userPressEnter() {
    if (alive()) {
        enterPressed.fire();
    }
}

// --- StatusBar

StatusBar::StatusBar(const AliveFlag& alive, Rect designed, std::vector<int> partWidths)
    : ControlImpl(alive, designed), m_widths(std::move(partWidths)), m_texts(m_widths.size()) {}

int StatusBar::partCount() const {
    return alive() ? static_cast<int>(m_widths.size()) : 0;
}

int StatusBar::partWidth(int part) const {
    if (!alive() || part < 0 || part >= static_cast<int>(m_widths.size())) {
        return 0;
    }
    return m_widths[static_cast<std::size_t>(part)];
}

std::string StatusBar::partText(int part) const {
    std::lock_guard lock(m_mutex);
    if (!alive() || part < 0 || part >= static_cast<int>(m_texts.size())) {
        return {};
    }
    return m_texts[static_cast<std::size_t>(part)];
}

void StatusBar::setPartText(int part, const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (!alive() || part < 0 || part >= static_cast<int>(m_texts.size())) {
        return;
    }
    m_texts[static_cast<std::size_t>(part)] = text;
}

void StatusBar::reset() {
    resetControl();
    std::lock_guard lock(m_mutex);
    std::fill(m_texts.begin(), m_texts.end(), std::string());
}

// --- ProgressBar

ProgressBar::ProgressBar(const AliveFlag& alive, Rect designed, int minimum, int maximum)
    : ControlImpl(alive, designed), m_minimum(minimum), m_maximum(maximum) {}

int ProgressBar::position() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_position : 0;
}

void ProgressBar::setPosition(int position) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_position = std::clamp(position, 0, kMaxStoredPosition);
    }
}

int ProgressBar::displayedPosition() const {
    return std::clamp(position(), m_minimum, m_maximum);
}

void ProgressBar::reset() {
    resetControl();
    std::lock_guard lock(m_mutex);
    m_position = 0;
}

// --- Timer

int Timer::period() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() ? m_period : 0;
}

void Timer::setPeriod(int milliseconds) {
    std::lock_guard lock(m_mutex);
    if (!m_alive.load()) {
        return;
    }
    const int period = std::max(milliseconds, 0);
    if (period == m_period) {
        return;
    }
    m_period = period;
    if (period > 0) {
        ++m_starts;
    }
}

int Timer::startCount() const {
    std::lock_guard lock(m_mutex);
    return m_starts;
}

void Timer::reset() {
    std::lock_guard lock(m_mutex);
    m_period = 0;
    m_starts = 0;
}

bool Timer::elapse() {
    if (period() <= 0) {
        return false;
    }
    tick.fire();
    return true;
}

// --- MenuItem

MenuItem::MenuItem(const AliveFlag& alive, std::string text, std::string shortcut, bool checkable)
    : m_alive(alive),
      m_text(std::move(text)),
      m_shortcut(std::move(shortcut)),
      m_checkable(checkable) {}

std::string MenuItem::text() const {
    return m_alive.load() ? m_text : std::string();
}

std::string MenuItem::shortcut() const {
    return m_alive.load() ? m_shortcut : std::string();
}

bool MenuItem::isChecked() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() && m_checked;
}

void MenuItem::setChecked(bool checked) {
    std::lock_guard lock(m_mutex);
    if (m_alive.load() && m_checkable) {
        m_checked = checked;
    }
}

bool MenuItem::isEnabled() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() && m_enabled;
}

void MenuItem::setEnabled(bool enabled) {
    std::lock_guard lock(m_mutex);
    if (m_alive.load()) {
        m_enabled = enabled;
    }
}

void MenuItem::reset() {
    std::lock_guard lock(m_mutex);
    m_checked = false;
    m_enabled = true;
}

void MenuItem::userChoose() {
    if (isEnabled()) {
        triggered.fire();
    }
}

// --- Menu

Menu::Menu(const AliveFlag& alive, std::string title, std::vector<MenuItem*> entries)
    : m_alive(alive), m_title(std::move(title)), m_entries(std::move(entries)) {}

std::string Menu::title() const {
    return m_alive.load() ? m_title : std::string();
}

std::vector<ui::MenuItem*> Menu::entries() const {
    if (!m_alive.load()) {
        return {};
    }
    return {m_entries.begin(), m_entries.end()};
}

void Menu::popup(int x, int y) {
    std::lock_guard lock(m_mutex);
    if (m_alive.load()) {
        ++m_popups;
        m_x = x;
        m_y = y;
    }
}

int Menu::popupCount() const {
    std::lock_guard lock(m_mutex);
    return m_popups;
}

int Menu::lastPopupX() const {
    std::lock_guard lock(m_mutex);
    return m_x;
}

int Menu::lastPopupY() const {
    std::lock_guard lock(m_mutex);
    return m_y;
}

// --- Toolbar

Toolbar::Toolbar(const AliveFlag& alive, Rect designed, std::vector<ToolButtonDesign> buttons,
                 std::vector<Image> pictures)
    : ControlImpl(alive, designed),
      m_buttons(std::move(buttons)),
      m_pictures(std::move(pictures)) {}

int Toolbar::buttonCount() const {
    return alive() ? static_cast<int>(m_buttons.size()) : 0;
}

bool Toolbar::isSeparator(int number) const {
    return alive() && number >= 0 && number < static_cast<int>(m_buttons.size()) &&
           m_buttons[static_cast<std::size_t>(number)].picture < 0;
}

std::string Toolbar::hint(int number) const {
    if (!alive() || number < 0 || number >= static_cast<int>(m_buttons.size())) {
        return {};
    }
    return m_buttons[static_cast<std::size_t>(number)].hint;
}

int Toolbar::pictureIndex(int number) const {
    if (!alive() || number < 0 || number >= static_cast<int>(m_buttons.size())) {
        return -1;
    }
    return m_buttons[static_cast<std::size_t>(number)].picture;
}

int Toolbar::pictureCount() const {
    return alive() ? static_cast<int>(m_pictures.size()) : 0;
}

Image Toolbar::picture(int pictureIndex) const {
    if (!alive() || pictureIndex < 0 || pictureIndex >= static_cast<int>(m_pictures.size())) {
        return {};
    }
    return m_pictures[static_cast<std::size_t>(pictureIndex)];
}

void Toolbar::reset() {
    resetControl();
}

void Toolbar::userClick(int number) {
    if (!alive() || number < 0 || number >= buttonCount() || isSeparator(number)) {
        return;
    }
    clicked.fire(number);
}

// --- DropTarget

void DropTarget::registerArea(ListView& area) {
    std::lock_guard lock(m_mutex);
    if (m_alive.load()) {
        m_area = &area;
    }
}

bool DropTarget::isRegistered() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() && m_area != nullptr;
}

ListView* DropTarget::area() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() ? m_area : nullptr;
}

void DropTarget::reset() {
    std::lock_guard lock(m_mutex);
    m_area = nullptr;
}

void DropTarget::userDrop(const std::vector<std::string>& paths) {
    if (isRegistered()) {
        filesDropped.fire(paths);
    }
}

}  // namespace lumaro::ui::headless
