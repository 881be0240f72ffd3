#pragma once

#include <functional>

namespace tarvel {

// Lets the window system handle pending events while long work runs on the main thread.
// Without an installed pump (no windows) it does nothing.
void ProcessMessages();

// Installs the function ProcessMessages calls and returns the one installed before.
std::function<void()> SetMessagePump(std::function<void()> pump);

} // namespace tarvel
