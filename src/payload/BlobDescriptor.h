#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
} // namespace pugi

namespace tarvel {

// LOB kinds of a BLOB package record, with the type codes the data-access layer binds them as.
enum class TBlobKind : int { Binary = 113, Character = 112 };

// One record of a BLOB package descriptor: which rows to update and with which data entry.
struct TBlobRecord {
    std::string TableName;                                 // as written, may carry a schema
    std::vector<std::pair<std::string, std::string>> Keys; // column, value; document order
    TBlobKind Kind = TBlobKind::Binary;
    std::string LobField;  // `field` of the record's last child element
    std::string EntryBase; // text of the last child: the data entry's name without ".vbv"
    bool HasLobElement = false;
};

// Loads descriptor bytes into `document`. The encoding comes from the document itself: a BOM,
// or the declaration's encoding (windows-1251 is converted first); UTF-8 otherwise. Raises
// Exception with the parser's message for a malformed document.
void LoadBlobDescriptor(std::string_view bytes, pugi::xml_document& document);

// The record described by one child element of the document element.
TBlobRecord ReadBlobRecord(const pugi::xml_node& record);

// "<field> = '<value>' and ..." with quotes inside values doubled, ending in one blank after
// the last value; empty without keys.
std::string BlobKeyCondition(const std::vector<std::pair<std::string, std::string>>& keys);

// `pattern` (the dialect's BLOB statement with three "%s": table, LOB column, condition) for
// the record.
std::string BlobStatement(std::string_view pattern, const TBlobRecord& record);

} // namespace tarvel
