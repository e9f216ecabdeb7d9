#pragma once
// Headless top-level window. open() runs the builder the window system gives it (which resets
// every control of the window to its designed state) and marks the window alive; close() raises
// aboutToBeDestroyed while the controls still work, then marks the window dead.
#include <functional>
#include <mutex>
#include <string>

#include "ui/headless/control_base.h"
#include "ui/window.h"

namespace lumaro::ui::headless {

class Window : public ui::Window {
public:
    Window(std::string designedCaption, Rect designedOuter, int clientWidth, int clientHeight,
           std::function<void()> resetControls);

    void open() override;
    void close() override;
    bool isOpen() const override;
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    Rect geometry() const override;
    void setGeometry(const Rect& r) override;
    int clientWidth() const override;
    int clientHeight() const override;

    const AliveFlag& aliveFlag() const { return m_alive; }
    // How many times open() brought an open window to the front.
    int raiseCount() const;
    // The user resizes the client area: raises sizeChanged with the new client size.
    void userResizeClient(int width, int height);
    // The user clicks the close box.
    void userClose() { close(); }
    // Runs after this window's aboutToBeDestroyed handlers: closes the windows it owns.
    void setAfterClose(std::function<void()> afterClose) { m_afterClose = std::move(afterClose); }

private:
    std::string m_designedCaption;
    Rect m_designedOuter;
    int m_designedClientWidth;
    int m_designedClientHeight;
    std::function<void()> m_resetControls;
    std::function<void()> m_afterClose;
    AliveFlag m_alive{false};
    mutable std::mutex m_mutex;
    std::string m_caption;
    Rect m_outer;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_raises = 0;
};

}  // namespace lumaro::ui::headless
