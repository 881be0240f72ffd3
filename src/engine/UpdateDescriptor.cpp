#include "engine/UpdateDescriptor.h"

#include "core/CodePage.h"
#include "core/StringUtils.h"

namespace tarvel {

namespace {

// Blanks and control characters off both ends.
std::string_view TrimmedText(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

std::string NestedValue(std::string_view text, std::initializer_list<std::string_view> tags) {
    std::string value(text);
    for (std::string_view tag : tags)
        value = GetTagValue(value, tag);
    return value;
}

} // namespace

std::string GetTagValue(std::string_view text, std::string_view openingTag) {
    if (openingTag.empty())
        return {};
    const std::string closingTag = "</" + std::string(openingTag.substr(1));
    const std::size_t closing = text.find(closingTag);
    if (closing == std::string_view::npos)
        return {};
    const std::size_t opening = text.find(openingTag);
    // Counting from 1 as the markers' positions do, the value starts at the opening marker's
    // position plus its length; a missing opening marker has position 0.
    const std::size_t start =
        (opening == std::string_view::npos ? 0 : opening + 1) + openingTag.size() - 1;
    if (closing <= start)
        return {};
    return std::string(TrimmedText(text.substr(start, closing - start)));
}

void ReadUpdateDescriptor(std::string_view upperText, TUpdateDescriptor& descriptor) {
    descriptor.UpdateType = StrToInt(GetTagValue(upperText, "<TYPE>"));
    descriptor.UserName = NestedValue(upperText, {"<DATABASE>", "<USER>"});
    descriptor.RangeBegin = NestedValue(upperText, {"<VERSION>", "<RANGE>", "<BEGIN>"});
    descriptor.RangeEnd = NestedValue(upperText, {"<VERSION>", "<RANGE>", "<END>"});
    descriptor.ProgramVersion = GetTagValue(upperText, "<PROGRAMM VERSION>");
    if (descriptor.UpdateType == kModuleUpdateType) {
        descriptor.ModuleName = GetTagValue(upperText, "<MODULE>");
        descriptor.MainModuleVersion = NestedValue(upperText, {"<VERSION>", "<MAIN MODULE>"});
    }
}

std::string DescriptorText(std::string_view entryBytes) {
    return AsciiUpperCase(Win1251ToUtf8(entryBytes.substr(0, entryBytes.find('\0'))));
}

} // namespace tarvel
