// Test program: writes each named resource of its own bundle to OUTDIR/<name>.
// Usage: resource_echo OUTDIR NAME...
#include "core/Exceptions.h"
#include "core/ResourceBundle.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    try {
        for (int i = 2; i < argc; ++i)
            tarvel::SaveResourceToFile(argv[i], std::filesystem::path(argv[1]) / argv[i]);
    } catch (const tarvel::Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
