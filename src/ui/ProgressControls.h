#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tarvel {

// The controls a progress display offers to the progress controller. The window layer implements
// them over its widgets; a control whose widget is gone ignores every call.

class IProgressBar {
public:
    virtual ~IProgressBar() = default;
    virtual void SetMin(std::int32_t value) = 0;
    virtual void SetMax(std::int32_t value) = 0;
    virtual void SetPosition(std::int32_t value) = 0;
    // Width in pixels; the limit a channel's text is fitted to.
    virtual int Width() const = 0;
};

class IProgressLabel {
public:
    virtual ~IProgressLabel() = default;
    virtual void SetText(const std::string& text) = 0;
    // Width in pixels of the text in the label's font.
    virtual int TextWidth(const std::string& text) const = 0;
};

// A clickable control whose click handler the controller may take over and give back.
class ICancelControl {
public:
    using TClickHandler = std::function<void()>;
    virtual ~ICancelControl() = default;
    virtual TClickHandler ClickHandler() const = 0;
    virtual void SetClickHandler(TClickHandler handler) = 0;
};

// The stand-alone progress window as the window-free operations see it.
class IProgressWindow {
public:
    virtual ~IProgressWindow() = default;
    virtual bool CancelPressed() const = 0;
    // Repaints the window at once.
    virtual void Repaint() = 0;
};

} // namespace tarvel
