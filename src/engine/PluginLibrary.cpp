#include "engine/PluginLibrary.h"

#include "core/CodePage.h"

#include <dlfcn.h>

namespace tarvel {

namespace {

class TLibraryHandle {
public:
    explicit TLibraryHandle(const std::filesystem::path& file)
        : Handle(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~TLibraryHandle() {
        if (Handle)
            dlclose(Handle);
    }
    TLibraryHandle(const TLibraryHandle&) = delete;
    TLibraryHandle& operator=(const TLibraryHandle&) = delete;

    void* Get() const { return Handle; }

private:
    void* Handle;
};

const char* TextOrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

} // namespace

TPluginOutcome CallPluginLibrary(const std::filesystem::path& file, const std::string& user,
                                 const std::string& password, const std::string& database) {
    TLibraryHandle library(file);
    if (!library.Get())
        return TPluginOutcome::NotLoaded;
    auto* isUpdateComplete =
        reinterpret_cast<TIsUpdateCompleteFunc>(dlsym(library.Get(), kIsUpdateCompleteExport));
    if (!isUpdateComplete)
        return TPluginOutcome::NoExport;
    const std::string user1251 = Utf8ToWin1251(user);
    const std::string password1251 = Utf8ToWin1251(password);
    const std::string database1251 = Utf8ToWin1251(database);
    return isUpdateComplete(TextOrNull(user1251), TextOrNull(password1251),
                            TextOrNull(database1251))
               ? TPluginOutcome::Complete
               : TPluginOutcome::Incomplete;
}

} // namespace tarvel
