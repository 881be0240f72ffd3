#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tarvel {

// The numbered strings of the string-table resource (kResStringTable), UTF-8.
using TStringTable = std::map<std::uint32_t, std::string>;

// Encoding, numbers little-endian: per string in ascending id order { u32 id, u32 length,
// bytes }; nothing else.
std::string EncodeStringTable(const TStringTable& table);

// Raises Exception when the bytes are not such a table (a truncated record, an id twice).
TStringTable DecodeStringTable(std::string_view data);

} // namespace tarvel
