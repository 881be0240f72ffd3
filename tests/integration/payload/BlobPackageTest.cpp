#include "DemoProduct.h"
#include "PgCluster.h"
#include "TestArchives.h"
#include "core/Exceptions.h"
#include "core/StringUtils.h"
#include "db/Dialect.h"
#include "db/OracleSession.h"
#include "payload/BlobPackageLoader.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace tarvel::test {
namespace {

std::string Record(const std::string& key, const std::string& children) {
    return "<r table_name=\"doc_template\"><key_field field=\"template_id\">" + key +
           "</key_field>" + children + "</r>";
}

class BlobPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadDemoSchema(Cluster);
        Cluster.ExecAsOwner("insert into doc_template (template_id, title) values"
                            " ('O''NEIL', 'Quote'), ('THIRD', 'Third')");
        Session.LogonUsername = TPgCluster::OwnerUser;
        Session.LogonPassword = TPgCluster::OwnerPassword;
        Session.SetConnected(true);
    }

    bool Load(const std::vector<std::pair<std::string, std::string>>& entries) {
        return LoadBlobPackage(ZipBytes(entries), Document, Session, &Log);
    }
    // What a column holds in the session's open transaction.
    std::string Value(const std::string& column, const std::string& key) {
        return Session
            .Execute("select coalesce(" + column +
                         "::text, 'null') as v from doc_template"
                         " where template_id = '" +
                         key + "'",
                     {})
            .Rows.at(0)
            .at(0)
            .AsString();
    }
    std::string LogText() const {
        std::string text;
        for (const std::string& item : Log)
            text += item + "\n";
        return text;
    }

    TPgCluster& Cluster = TPgCluster::Get();
    TOracleSession Session{TDbEngine::PostgreSQL};
    pugi::xml_document Document;
    TStringList Log;
};

TEST_F(BlobPackageTest, StoresCharacterAndBinaryValuesFoundWithoutRegardToCase) {
    const std::string descriptor =
        "<p>" +
        Record("GRADE_SHEET", "<field_type>clob</field_type><lob field=\"body\">Sheet</lob>") +
        Record("SCHOOL_LOGO", "<lob field=\"picture\">logo</lob>") + "</p>";
    EXPECT_TRUE(
        Load({{"dir/Package.XML", descriptor},
              {"other.xml", "<p>" + Record("THIRD", "<lob field=\"body\">x</lob>") + "</p>"},
              {"SHEET.VBV", "Оцінки"},
              {"sub/logo.vbv", std::string("\x89PNG\0\1", 6)}}));
    EXPECT_EQ(Value("body", "GRADE_SHEET"), "Оцінки");
    EXPECT_EQ(Value("encode(picture, 'hex')", "SCHOOL_LOGO"), "89504e470001");
    // Only the first ".xml" entry is the descriptor.
    EXPECT_EQ(Value("body", "THIRD"), "null");
    ASSERT_EQ(Log.size(), 6u);
    EXPECT_EQ(Log[0], FormatText(Session.Dialect().BlobRecord,
                                 {"doc_template", "body", "template_id = 'GRADE_SHEET' "}) +
                          "\r\n");
    EXPECT_EQ(Log[2], "");
}

TEST_F(BlobPackageTest, KeyValueWithAQuoteIsStored) {
    EXPECT_TRUE(Load({{"p.xml", "<p>" + Record("O'NEIL", "<lob field=\"body\">v</lob>") + "</p>"},
                      {"v.vbv", "quoted"}}));
    EXPECT_EQ(Value("body", "O''NEIL"), "quoted");
}

TEST_F(BlobPackageTest, SecondRecordFailingStopsThePackage) {
    const std::string descriptor =
        "<p>" + Record("GRADE_SHEET", "<field_type>CLOB</field_type><lob field=\"body\">a</lob>") +
        Record("THIRD", "<lob field=\"no_such_column\">a</lob>") +
        Record("SCHOOL_LOGO", "<lob field=\"picture\">a</lob>") + "</p>";
    EXPECT_FALSE(Load({{"p.xml", descriptor}, {"a.vbv", "A"}}));
    EXPECT_EQ(Value("body", "GRADE_SHEET"), "A");
    EXPECT_EQ(Value("picture", "SCHOOL_LOGO"), "null");
    EXPECT_NE(LogText().find(Session.Dialect().ErrorMarker), std::string::npos);
    EXPECT_NE(LogText().find("no_such_column"), std::string::npos);
    EXPECT_EQ(LogText().find("SCHOOL_LOGO"), std::string::npos);
}

TEST_F(BlobPackageTest, MissingDataEntryFailsTheRecordWithItsName) {
    EXPECT_FALSE(Load(
        {{"p.xml", "<p>" + Record("GRADE_SHEET", "<lob field=\"body\">gone</lob>") + "</p>"}}));
    EXPECT_EQ(Value("body", "GRADE_SHEET"), "null");
    EXPECT_EQ(Log, (TStringList{"У пакеті відсутній файл даних gone.vbv", ""}));
}

TEST_F(BlobPackageTest, LastChildIsTheLobElementWhateverItsName) {
    // The last key_field is also the LOB element: column template_id, entry "SCHOOL_LOGO".
    EXPECT_TRUE(Load({{"p.xml", "<p><r table_name=\"doc_template\"><field_type>CLOB</field_type>"
                                "<key_field field=\"title\">Емблема школи</key_field>"
                                "<key_field field=\"template_id\">SCHOOL_LOGO</key_field></r></p>"},
                      {"school_logo.vbv", "NEW_LOGO"}}));
    EXPECT_EQ(Session.Execute("select title from doc_template where template_id = 'NEW_LOGO'", {})
                  .Rows.size(),
              1u);
}

TEST_F(BlobPackageTest, PackageWithoutDescriptorOrKeysFails) {
    EXPECT_FALSE(Load({{"a.vbv", "A"}}));
    EXPECT_TRUE(Log.empty());
    EXPECT_FALSE(Load({{"p.xml", "<p><r table_name=\"doc_template\"><lob field=\"body\">a</lob>"
                                 "</r></p>"},
                       {"a.vbv", "A"}}));
    EXPECT_NE(LogText().find(Session.Dialect().ErrorMarker), std::string::npos);
}

TEST_F(BlobPackageTest, WithoutALogADatabaseErrorRaises) {
    EXPECT_THROW(
        LoadBlobPackage(
            ZipBytes({{"p.xml", "<p>" + Record("X", "<lob field=\"nope\">a</lob>") + "</p>"},
                      {"a.vbv", "A"}}),
            Document, Session, nullptr),
        EOracleError);
    EXPECT_THROW(Load({{"p.xml", "<p><unclosed></p>"}}), Exception);
}

} // namespace
} // namespace tarvel::test
