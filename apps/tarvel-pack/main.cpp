#include "tarvel-pack/ReleaseArguments.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    using namespace tarvel;
    try {
        const TReleaseArguments arguments =
            ParseReleaseArguments(std::vector<std::string>(argv + 1, argv + argc));
        if (arguments.Help || argc == 1) {
            std::cout << kReleaseHelp;
            return arguments.Help ? 0 : 2;
        }
        BuildRelease(arguments.Options);
        return 0;
    } catch (const EReleaseInput& error) {
        std::cerr << "tarvel-pack: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "tarvel-pack: " << error.what() << "\n";
        return 1;
    }
}
