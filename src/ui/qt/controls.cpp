#include "ui/qt/controls.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

#include "ui/qt/artwork.h"
#include "ui/qt/gb_limit_validator.h"
#include "ui/qt/list_view.h"
#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {

namespace {

void place(QWidget* w, Rect r) {
    w->setGeometry(r.left, r.top, r.width, r.height);
}

GbLimitValidator* limitValidatorOf(QObject* owner) {
    return owner ? owner->findChild<GbLimitValidator*>(QString(), Qt::FindDirectChildrenOnly)
                 : nullptr;
}

// The log holds CR LF on the system's side and plain line breaks in the widget.
QString logToWidget(const std::string& gb) {
    QString s = toQString(gb);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

std::string widgetToLog(const QString& s) {
    QString copy = s;
    copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return fromQString(copy);
}

// Watches a list view's viewport for files dragged from the desktop.
class DropFilter : public QObject {
public:
    DropFilter(QObject* parent, ui::DropTarget& target) : QObject(parent), m_target(target) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* e = static_cast<QDropEvent*>(event);
                if (e->mimeData()->hasUrls()) {
                    e->acceptProposedAction();
                    return true;
                }
                return false;
            }
            case QEvent::Drop: {
                auto* e = static_cast<QDropEvent*>(event);
                std::vector<std::string> paths;
                for (const QUrl& url : e->mimeData()->urls()) {
                    if (url.isLocalFile()) {
                        paths.push_back(fromQString(url.toLocalFile()));
                    }
                }
                e->acceptProposedAction();
                if (!paths.empty()) {
                    m_target.filesDropped.fire(paths);
                }
                return true;
            }
            default:
                return QObject::eventFilter(watched, event);
        }
    }

private:
    ui::DropTarget& m_target;
};

// Raises an event for Enter (either key) and consumes the key.
class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), m_onEnter(std::move(onEnter)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_onEnter();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onEnter;
};

}  // namespace

// --- Button

void Button::create(QWidget* parent, const char* caption, Rect r) {
    setWidget(new QPushButton(toQString(caption), parent));
    place(m_widget, r);
    QObject::connect(m_widget, &QPushButton::clicked, m_widget, [this] { clicked.fire(); });
}

std::string Button::caption() const {
    return call([this] { return m_widget ? fromQString(m_widget->text()) : std::string(); });
}

void Button::setCaption(const std::string& caption) {
    call([this, &caption] {
        if (m_widget) {
            m_widget->setText(toQString(caption));
        }
    });
}

// --- Label

void Label::create(QWidget* parent, const char* text, Rect r) {
    setWidget(new QLabel(toQString(text), parent));
    place(m_widget, r);
}

std::string Label::text() const {
    return call([this] { return m_widget ? fromQString(m_widget->text()) : std::string(); });
}

void Label::setText(const std::string& text) {
    call([this, &text] {
        if (m_widget) {
            m_widget->setText(toQString(text));
        }
    });
}

// --- LineEdit

void LineEdit::create(QWidget* parent, const char* text, Rect r, int limit) {
    setWidget(new QLineEdit(toQString(text), parent));
    place(m_widget, r);
    m_widget->setValidator(new GbLimitValidator(limit, m_widget));
    QObject::connect(m_widget, &QLineEdit::returnPressed, m_widget,
                     [this] { enterPressed.fire(); });
}

std::string LineEdit::text() const {
    return call([this] { return m_widget ? fromQString(m_widget->text()) : std::string(); });
}

void LineEdit::setText(const std::string& text) {
    call([this, &text] {
        if (m_widget) {
            m_widget->setText(toQString(text));
        }
    });
}

void LineEdit::appendAtEnd(const std::string& text) {
    call([this, &text] {
        if (m_widget) {
            m_widget->setText(m_widget->text() + toQString(text));
            m_widget->end(false);
        }
    });
}

int LineEdit::inputLimit() const {
    return call([this] {
        auto* v = limitValidatorOf(m_widget);
        return v ? v->limit() : 0;
    });
}

void LineEdit::setInputLimit(int bytes) {
    call([this, bytes] {
        if (auto* v = limitValidatorOf(m_widget)) {
            v->setLimit(std::max(bytes, 0));
        }
    });
}

// --- LogEdit

void LogEdit::create(QWidget* parent, Rect r, Color background) {
    setWidget(new QPlainTextEdit(parent));
    place(m_widget, r);
    m_widget->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_widget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette pal = m_widget->palette();
    pal.setColor(QPalette::Base, QColor(background.red, background.green, background.blue));
    m_widget->setPalette(pal);
    m_limit = 0;
}

std::string LogEdit::text() const {
    return call([this] { return m_widget ? widgetToLog(m_widget->toPlainText()) : std::string(); });
}

void LogEdit::setText(const std::string& text) {
    call([this, &text] {
        if (m_widget) {
            m_widget->setPlainText(logToWidget(text));
        }
    });
}

void LogEdit::appendAtEnd(const std::string& text) {
    call([this, &text] {
        if (!m_widget) {
            return;
        }
        // Empty selection at the end, caret into view, then replace the selection.
        QTextCursor cursor = m_widget->textCursor();
        cursor.movePosition(QTextCursor::End);
        m_widget->setTextCursor(cursor);
        m_widget->ensureCursorVisible();
        m_widget->insertPlainText(logToWidget(text));
        m_widget->ensureCursorVisible();
    });
}

int LogEdit::inputLimit() const {
    return call([this] { return m_widget ? m_limit : 0; });
}

void LogEdit::setInputLimit(int bytes) {
    // The log takes the platform's maximum; the value is kept for reading back only.
    call([this, bytes] {
        if (m_widget) {
            m_limit = std::max(bytes, 0);
        }
    });
}

// --- ComboBox

void ComboBox::create(QWidget* parent, Rect r, int limit) {
    setWidget(new QComboBox(parent));
    place(m_widget, r);
    m_widget->setEditable(true);
    m_widget->setInsertPolicy(QComboBox::NoInsert);
    m_widget->setValidator(new GbLimitValidator(limit, m_widget));
    m_widget->setCurrentIndex(-1);
    QObject::connect(m_widget, &QComboBox::activated, m_widget,
                     [this](int index) { itemPicked.fire(index); });
    // Text the user types no longer names the selected item: nothing stays selected, as in the
    // platform's combo boxes (Qt would keep the old selection).
    QObject::connect(
        m_widget->lineEdit(), &QLineEdit::textEdited, m_widget, [this](const QString& typed) {
            QComboBox* box = m_widget;
            if (box->currentIndex() >= 0 && typed != box->itemText(box->currentIndex())) {
                const int cursor = box->lineEdit()->cursorPosition();
                QSignalBlocker block(box);
                box->setCurrentIndex(-1);
                box->setEditText(typed);
                box->lineEdit()->setCursorPosition(cursor);
            }
        });
    // Qt hands Enter to the combo box's line edit twice; a filter sees it once and consumes it.
    m_widget->lineEdit()->installEventFilter(
        new EnterFilter(m_widget, [this] { enterPressed.fire(); }));
}

std::string ComboBox::text() const {
    return call([this] { return m_widget ? fromQString(m_widget->currentText()) : std::string(); });
}

void ComboBox::setText(const std::string& text) {
    call([this, &text] {
        if (m_widget) {
            m_widget->setEditText(toQString(text));
        }
    });
}

int ComboBox::itemCount() const {
    return call([this] { return m_widget ? m_widget->count() : 0; });
}

std::string ComboBox::itemText(int index) const {
    return call([this, index] {
        if (!m_widget || index < 0 || index >= m_widget->count()) {
            return std::string();
        }
        return fromQString(m_widget->itemText(index));
    });
}

int ComboBox::addItem(const std::string& text) {
    return call([this, &text] {
        if (!m_widget) {
            return -1;
        }
        // Adding to an empty list would make Qt select the new item; keep selection and text.
        const int selected = m_widget->currentIndex();
        const QString current = m_widget->currentText();
        QSignalBlocker block(m_widget);
        m_widget->addItem(toQString(text));
        if (m_widget->currentIndex() != selected) {
            m_widget->setCurrentIndex(selected);
            m_widget->setEditText(current);
        }
        return m_widget->count() - 1;
    });
}

void ComboBox::removeItem(int index) {
    call([this, index] {
        if (!m_widget || index < 0 || index >= m_widget->count()) {
            return;
        }
        const int selected = m_widget->currentIndex();
        const QString current = m_widget->currentText();
        QSignalBlocker block(m_widget);
        m_widget->removeItem(index);
        const int after = selected == index ? -1 : (selected > index ? selected - 1 : selected);
        m_widget->setCurrentIndex(after);
        m_widget->setEditText(after >= 0 ? m_widget->itemText(after) : current);
    });
}

void ComboBox::clearItems() {
    call([this] {
        if (!m_widget) {
            return;
        }
        const QString current = m_widget->currentText();
        QSignalBlocker block(m_widget);
        m_widget->clear();
        m_widget->setEditText(current);
    });
}

int ComboBox::selectedIndex() const {
    return call([this] { return m_widget ? m_widget->currentIndex() : -1; });
}

void ComboBox::setSelectedIndex(int index) {
    call([this, index] {
        if (!m_widget) {
            return;
        }
        QSignalBlocker block(m_widget);
        if (index < 0 || index >= m_widget->count()) {
            m_widget->setCurrentIndex(-1);
            m_widget->setEditText(QString());
        } else {
            m_widget->setCurrentIndex(index);
            m_widget->setEditText(m_widget->itemText(index));
        }
    });
}

int ComboBox::inputLimit() const {
    return call([this] {
        auto* v = m_widget ? limitValidatorOf(m_widget) : nullptr;
        return v ? v->limit() : 0;
    });
}

void ComboBox::setInputLimit(int bytes) {
    call([this, bytes] {
        if (auto* v = m_widget ? limitValidatorOf(m_widget) : nullptr) {
            v->setLimit(std::max(bytes, 0));
        }
    });
}

// --- StatusBar

void StatusBar::create(QWidget* parent, const std::vector<int>& partWidths) {
    setWidget(new QStatusBar(parent));
    m_widget->setSizeGripEnabled(false);
    m_parts.clear();
    for (int w : partWidths) {
        auto* part = new QLabel(m_widget);
        part->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        part->setFixedWidth(w);
        m_widget->addWidget(part);
        m_parts.emplace_back(part);
    }
}

int StatusBar::partCount() const {
    return call([this] { return m_widget ? static_cast<int>(m_parts.size()) : 0; });
}

int StatusBar::partWidth(int part) const {
    return call([this, part] {
        if (!m_widget || part < 0 || part >= static_cast<int>(m_parts.size()) ||
            !m_parts[static_cast<std::size_t>(part)]) {
            return 0;
        }
        return m_parts[static_cast<std::size_t>(part)]->width();
    });
}

std::string StatusBar::partText(int part) const {
    return call([this, part] {
        if (!m_widget || part < 0 || part >= static_cast<int>(m_parts.size()) ||
            !m_parts[static_cast<std::size_t>(part)]) {
            return std::string();
        }
        return fromQString(m_parts[static_cast<std::size_t>(part)]->text());
    });
}

void StatusBar::setPartText(int part, const std::string& text) {
    call([this, part, &text] {
        if (!m_widget || part < 0 || part >= static_cast<int>(m_parts.size()) ||
            !m_parts[static_cast<std::size_t>(part)]) {
            return;
        }
        m_parts[static_cast<std::size_t>(part)]->setText(toQString(text));
    });
}

// --- ProgressBar

void ProgressBar::create(QWidget* parent, Rect r, int minimum, int maximum) {
    setWidget(new QProgressBar(parent));
    place(m_widget, r);
    m_widget->setRange(minimum, maximum);
    m_widget->setValue(minimum);
    m_widget->setTextVisible(false);
    m_position = 0;
}

int ProgressBar::minimum() const {
    return call([this] { return m_widget ? m_widget->minimum() : 0; });
}

int ProgressBar::maximum() const {
    return call([this] { return m_widget ? m_widget->maximum() : 0; });
}

int ProgressBar::position() const {
    return call([this] { return m_widget ? m_position : 0; });
}

void ProgressBar::setPosition(int position) {
    call([this, position] {
        if (!m_widget) {
            return;
        }
        m_position = std::clamp(position, 0, kMaxStoredPosition);
        m_widget->setValue(std::clamp(m_position, m_widget->minimum(), m_widget->maximum()));
    });
}

// --- Timer

void Timer::create(QObject* owner) {
    m_timer = new QTimer(owner);
    attachTo(m_timer);
    m_period = 0;
    QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] { tick.fire(); });
}

int Timer::period() const {
    return call([this] { return m_timer ? m_period : 0; });
}

void Timer::setPeriod(int milliseconds) {
    call([this, milliseconds] {
        const int period = std::max(milliseconds, 0);
        if (!m_timer || period == m_period) {
            return;
        }
        m_period = period;
        if (period > 0) {
            m_timer->start(period);
        } else {
            m_timer->stop();
        }
    });
}

// --- MenuItem

void MenuItem::create(QMenu* menu, const char* text, const char* shortcut, bool checkable) {
    m_action = menu->addAction(toQString(text));
    attachTo(m_action);
    m_action->setCheckable(checkable);
    if (shortcut != nullptr && *shortcut != '\0') {
        m_action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
        m_action->setShortcutContext(Qt::ApplicationShortcut);
    }
    QObject::connect(m_action, &QAction::triggered, m_action, [this] { triggered.fire(); });
}

std::string MenuItem::text() const {
    return call([this] { return m_action ? fromQString(m_action->text()) : std::string(); });
}

std::string MenuItem::shortcut() const {
    return call([this] {
        return m_action ? fromQString(m_action->shortcut().toString(QKeySequence::PortableText))
                        : std::string();
    });
}

bool MenuItem::isCheckable() const {
    return call([this] { return m_action && m_action->isCheckable(); });
}

bool MenuItem::isChecked() const {
    return call([this] { return m_action && m_action->isChecked(); });
}

void MenuItem::setChecked(bool checked) {
    call([this, checked] {
        if (m_action) {
            m_action->setChecked(checked);
        }
    });
}

bool MenuItem::isEnabled() const {
    return call([this] { return m_action && m_action->isEnabled(); });
}

void MenuItem::setEnabled(bool enabled) {
    call([this, enabled] {
        if (m_action) {
            m_action->setEnabled(enabled);
        }
    });
}

// --- Menu

void Menu::create(QWidget* parent, const char* title) {
    m_menu = new QMenu(toQString(title), parent);
    attachTo(m_menu);
}

std::string Menu::title() const {
    return call([this] { return m_menu ? fromQString(m_menu->title()) : std::string(); });
}

std::vector<ui::MenuItem*> Menu::entries() const {
    return call([this] {
        std::vector<ui::MenuItem*> out;
        if (!m_menu) {
            return out;
        }
        for (int i : m_layout) {
            out.push_back(i < 0 ? nullptr : m_items[static_cast<std::size_t>(i)]);
        }
        return out;
    });
}

void Menu::popup(int x, int y) {
    call([this, x, y] {
        if (m_menu) {
            m_menu->popup(QPoint(x, y));
        }
    });
}

// --- Toolbar

Toolbar::Toolbar(UiThread& ui, std::vector<ToolButtonDesign> buttons, std::vector<Image> pictures)
    : ControlWrapper(ui), m_buttons(std::move(buttons)), m_pictures(std::move(pictures)) {}

void Toolbar::create(QWidget* parent, Rect r) {
    setWidget(new QToolBar(parent));
    place(m_widget, r);
    m_widget->setMovable(false);
    m_widget->setFloatable(false);
    m_widget->setIconSize(QSize(24, 24));
    m_widget->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_actions.clear();
    for (std::size_t n = 0; n < m_buttons.size(); ++n) {
        const ToolButtonDesign& b = m_buttons[n];
        if (b.picture < 0) {
            m_widget->addSeparator();
            m_actions.emplace_back(nullptr);
            continue;
        }
        const QPixmap pic =
            QPixmap::fromImage(toQImage(m_pictures[static_cast<std::size_t>(b.picture)]));
        QAction* a = m_widget->addAction(QIcon(pic), QString());
        a->setToolTip(toQString(b.hint));
        const int number = static_cast<int>(n);
        QObject::connect(a, &QAction::triggered, a, [this, number] { clicked.fire(number); });
        m_actions.emplace_back(a);
    }
}

int Toolbar::buttonCount() const {
    return call([this] { return m_widget ? static_cast<int>(m_buttons.size()) : 0; });
}

bool Toolbar::isSeparator(int number) const {
    return call([this, number] {
        return m_widget && number >= 0 && number < static_cast<int>(m_buttons.size()) &&
               m_buttons[static_cast<std::size_t>(number)].picture < 0;
    });
}

std::string Toolbar::hint(int number) const {
    return call([this, number] {
        QAction* a = action(number);
        return a ? fromQString(a->toolTip()) : std::string();
    });
}

int Toolbar::pictureIndex(int number) const {
    return call([this, number] {
        if (!m_widget || number < 0 || number >= static_cast<int>(m_buttons.size())) {
            return -1;
        }
        return m_buttons[static_cast<std::size_t>(number)].picture;
    });
}

int Toolbar::pictureCount() const {
    return call([this] { return m_widget ? static_cast<int>(m_pictures.size()) : 0; });
}

Image Toolbar::picture(int pictureIndex) const {
    return call([this, pictureIndex] {
        if (!m_widget || pictureIndex < 0 || pictureIndex >= static_cast<int>(m_pictures.size())) {
            return Image{};
        }
        return m_pictures[static_cast<std::size_t>(pictureIndex)];
    });
}

QAction* Toolbar::action(int number) const {
    if (!m_widget || number < 0 || number >= static_cast<int>(m_actions.size())) {
        return nullptr;
    }
    return m_actions[static_cast<std::size_t>(number)];
}

// --- DropTarget

void DropTarget::registerArea(ui::ListView& area) {
    auto* list = dynamic_cast<ListView*>(&area);
    if (list == nullptr || !list->isAttached()) {
        return;
    }
    m_ui.call([this, list] {
        QWidget* viewport = list->viewportWidget();
        if (viewport == nullptr) {
            return;
        }
        viewport->setAcceptDrops(true);
        list->widget()->setAcceptDrops(true);
        viewport->installEventFilter(new DropFilter(viewport, *this));
        m_area = viewport;
        attachTo(viewport);
    });
}

bool DropTarget::isRegistered() const {
    return call([this] { return !m_area.isNull(); });
}

}  // namespace lumaro::ui::qt
