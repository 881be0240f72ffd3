#pragma once

#include <string>
#include <zip.h>

namespace tarvel {

// libzip's text for one of its error codes.
inline std::string ZipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

} // namespace tarvel
