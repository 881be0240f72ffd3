#pragma once

#include "gui/FrmProgress.h"

#include <string>

namespace tarvel {

// The stand-alone progress window; at most one at a time. SetWindowProgress,
// SetWindowProgressText and IsWindowCancelled (ui/Progress.h) act on it.

// Closes the current window and prepares a new one (not shown yet). On failure shows the error
// and answers false, leaving no window.
bool OpenProgressWindow(const std::string& caption, const std::string& cancelCaption,
                        const std::string& detailText, const std::string& totalText, int animation,
                        bool showTotal, bool showCancel);

// Shows the window modally and runs the work from its first showing; returns when the window
// has closed itself after the work. What the work raised is raised here. Without a window it
// does nothing.
void RunProgressWindow(TProgressWork work, std::intptr_t value);

// Frees the current window; false when there was none.
bool CloseProgressWindow();

TfrmProgress* ProgressWindow();

} // namespace tarvel
