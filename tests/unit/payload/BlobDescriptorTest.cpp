#include "payload/BlobDescriptor.h"

#include "core/CodePage.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace tarvel {
namespace {

std::vector<TBlobRecord> Records(const std::string& xml) {
    pugi::xml_document document;
    LoadBlobDescriptor(xml, document);
    std::vector<TBlobRecord> records;
    for (pugi::xml_node record : document.document_element().children())
        records.push_back(ReadBlobRecord(record));
    return records;
}

TEST(BlobKeyCondition, JoinsKeysAndDoublesQuotes) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> Keys;
        std::string Condition;
    };
    const Case cases[] = {
        {{{"A", "1"}, {"B", "2"}}, "A = '1' and B = '2' "},
        {{{"surname", "O'Brien"}}, "surname = 'O''Brien' "},
        {{{"x", "''"}}, "x = '''''' "},
        {{}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlobKeyCondition(c.Keys), c.Condition);
}

TEST(BlobDescriptor, ReadsRecordsInDocumentOrder) {
    const auto records = Records(R"(<?xml version="1.0"?>
<package>
  <r table_name="app.doc">
    <key_field field="id">7</key_field>
    <field_type>clob</field_type>
    <lob field="body">part1</lob>
  </r>
  <r table_name="doc">
    <field_type>BLOB</field_type>
    <comment>ignored</comment>
    <key_field field="id">8</key_field>
    <blob field="picture">part2</blob>
  </r>
  <r table_name="doc">
    <field_type>text</field_type>
    <field_type>CLOB</field_type>
    <key_field field="id">9</key_field>
  </r>
</package>)");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].TableName, "app.doc");
    EXPECT_EQ(records[0].Kind, TBlobKind::Character);
    EXPECT_EQ(records[0].LobField, "body");
    EXPECT_EQ(records[0].EntryBase, "part1");
    EXPECT_EQ(records[1].Kind, TBlobKind::Binary);
    EXPECT_EQ(records[1].Keys, (std::vector<std::pair<std::string, std::string>>{{"id", "8"}}));
    EXPECT_EQ(records[1].LobField, "picture");
    // The last child is the LOB element even when it is a key: it counts as both.
    EXPECT_EQ(records[2].Kind, TBlobKind::Character);
    EXPECT_EQ(records[2].LobField, "id");
    EXPECT_EQ(records[2].EntryBase, "9");
    EXPECT_EQ(records[2].Keys.size(), 1u);
}

TEST(BlobDescriptor, DecodesTheDeclaredEncoding) {
    const std::string xml = Utf8ToWin1251(R"(<?xml version="1.0" encoding="windows-1251"?>
<p><r table_name="doc"><key_field field="title">Табель</key_field><lob field="b">файл</lob></r></p>)");
    const auto records = Records(xml);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Keys[0].second, "Табель");
    EXPECT_EQ(records[0].EntryBase, "файл");
}

TEST(BlobDescriptor, RecordWithoutChildrenHasNoLobElement) {
    const auto records = Records("<p><r table_name=\"doc\"/></p>");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_FALSE(records[0].HasLobElement);
}

TEST(BlobDescriptor, MalformedXmlRaises) {
    pugi::xml_document document;
    EXPECT_THROW(LoadBlobDescriptor("<p><r></p>", document), Exception);
}

TEST(BlobStatement, FillsTableColumnAndCondition) {
    TBlobRecord record;
    record.TableName = "doc_template";
    record.LobField = "body";
    record.Keys = {{"template_id", "GRADE'S"}};
    EXPECT_EQ(BlobStatement("update %s set %s = :blob_field where %s", record),
              "update doc_template set body = :blob_field where template_id = 'GRADE''S' ");
}

} // namespace
} // namespace tarvel
