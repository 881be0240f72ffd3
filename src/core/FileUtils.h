#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvel {

// The whole file. Raises Exception naming the file when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& file);

// Creates the file, or overwrites it from the start, with `data`. Raises Exception naming the
// file when it cannot be created or written.
void WriteFileBytes(const std::filesystem::path& file, std::string_view data);

// Deletes the file; a write-protected file loses its protection first. Whether it was deleted.
bool DeleteFileForce(const std::filesystem::path& file);

// The folder for temporary files: TMPDIR, else /tmp.
std::filesystem::path TempFolder();

// Texts of the file errors, shared by every unit that reports one.
std::string CannotOpenFileText(const std::filesystem::path& file);
std::string CannotCreateFileText(const std::filesystem::path& file);

} // namespace tarvel
