#include "core/StringTableResource.h"

#include "core/Exceptions.h"

namespace tarvel {
namespace {

const char* const kDamagedStringTable = "Таблицю рядків пошкоджено";

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t TakeU32(std::string_view& data) {
    if (data.size() < 4)
        throw Exception(kDamagedStringTable);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    data.remove_prefix(4);
    return v;
}

} // namespace

std::string EncodeStringTable(const TStringTable& table) {
    std::string out;
    for (const auto& [id, text] : table) {
        PutU32(out, id);
        PutU32(out, static_cast<std::uint32_t>(text.size()));
        out += text;
    }
    return out;
}

TStringTable DecodeStringTable(std::string_view data) {
    TStringTable table;
    while (!data.empty()) {
        const std::uint32_t id = TakeU32(data);
        const std::uint32_t length = TakeU32(data);
        if (data.size() < length || !table.emplace(id, std::string(data.substr(0, length))).second)
            throw Exception(kDamagedStringTable);
        data.remove_prefix(length);
    }
    return table;
}

} // namespace tarvel
