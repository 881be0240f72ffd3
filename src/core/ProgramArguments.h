#pragma once

#include <string>
#include <vector>

namespace tarvel {

// The running program's command line: [0] is the program file's full path, then the arguments as
// given. Readable from any layer without main() handing argv around.
std::vector<std::string> ProgramArguments();

} // namespace tarvel
