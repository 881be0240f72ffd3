#include "core/Exceptions.h"

namespace tarvel {

void Assert(bool condition, const std::string& message, const std::string& source, int line) {
    if (!condition)
        throw EAssertionFailed(message, source, line);
}

} // namespace tarvel
