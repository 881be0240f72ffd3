#pragma once

namespace tarvel {

// Everything the program does when no console command is named; returns the exit code.
int RunWindowMode();

} // namespace tarvel
