// Test library: reads a resource of the bundle appended to the library itself.
#include "core/Exceptions.h"
#include "core/ResourceBundle.h"

#include <cstdio>

namespace {
int Anchor;
}

// Writes resource `name` of this library's bundle to `file`; 0 on success, 1 with the error
// text on stderr.
extern "C" int SaveModuleResource(const char* name, const char* file) {
    try {
        tarvel::TResourceBundle::OfModule(&Anchor).SaveToFile(name, file);
        return 0;
    } catch (const tarvel::Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
