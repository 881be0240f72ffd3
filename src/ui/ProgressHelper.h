#pragma once

#include <string>

namespace tarvel {

// The window system behind the busy window.
class IBusyWindowPort {
public:
    virtual ~IBusyWindowPort() = default;
    // Creates and shows a new busy window with the caption, without blocking.
    virtual void ShowBusyWindow(const std::string& caption) = 0;
    // Both do nothing when there is no busy window; hiding destroys it.
    virtual void SetBusyCaption(const std::string& caption) = 0;
    virtual void HideBusyWindow() = 0;
};

// Installs the port the busy window goes through and returns the one installed before;
// without a port the busy window is not shown.
IBusyWindowPort* SetBusyWindowPort(IBusyWindowPort* port);

// The busy window shown while the program prepares or saves files; at most one at a time.
class TProgressHelper {
public:
    TProgressHelper() = delete;
    // Hides any busy window first, then shows a new one with the caption.
    static void Show(const std::string& caption);
    // Changes the caption of the current busy window; nothing when there is none.
    static void SetCaption(const std::string& caption);
    static void Hide();
};

} // namespace tarvel
