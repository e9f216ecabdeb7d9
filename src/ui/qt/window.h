#pragma once
// The Qt-bound top-level window. open() runs the builder, which creates the top-level widget
// and every control of the window with its designed values; close() closes it, which raises
// aboutToBeDestroyed and deletes the widgets at the next turn of the event loop.
#include <QPointer>
#include <QWidget>
#include <functional>

#include "ui/qt/ui_access.h"
#include "ui/window.h"

namespace lumaro::ui::qt {

class Window : public ui::Window, public UiAccess {
public:
    // `build` creates the top-level widget (deleted on close) and returns it; it gives the client
    // area to setClientArea(). UI thread.
    Window(UiThread& ui, std::function<QWidget*()> build)
        : UiAccess(ui), m_build(std::move(build)) {}

    void open() override;
    void close() override;
    bool isOpen() const override;
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    Rect geometry() const override;
    void setGeometry(const Rect& r) override;
    int clientWidth() const override;
    int clientHeight() const override;

    // For the builder and the top-level widget (UI thread).
    void setClientArea(QWidget* client) { m_client = client; }
    // The designed outer place, applied again once the window is shown and framed.
    void setDesignedOuter(const Rect& r) { m_designedOuter = r; }
    // Places a top-level widget so that its outer (framed) geometry is `r`.
    static void placeOuter(QWidget* top, const Rect& r);
    // Called by the top-level widget's close event, before it is deleted.
    void notifyClosing();
    QWidget* topLevel() const { return m_top; }
    QWidget* clientArea() const { return m_client; }

private:
    std::function<QWidget*()> m_build;
    QPointer<QWidget> m_top;
    QPointer<QWidget> m_client;
    bool m_open = false;  // UI thread
    Rect m_designedOuter;
};

}  // namespace lumaro::ui::qt
