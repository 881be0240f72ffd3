#include "payload/BlobPackageLoader.h"

#include "core/Exceptions.h"
#include "core/StringUtils.h"
#include "core/ZipReader.h"
#include "db/Dialect.h"
#include "db/LOBLocator.h"
#include "db/OracleQuery.h"
#include "db/OracleSession.h"
#include "payload/BlobDescriptor.h"

#include <optional>
#include <pugixml.hpp>

namespace tarvel {

namespace {

const char* const kMissingDataEntry = "У пакеті відсутній файл даних ";
const char* const kBlobVariable = "blob_field";

std::string UpperExtension(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : AsciiUpperCase(fileName.substr(dot));
}

// The statement text as logged: each of its lines followed by "\r\n".
std::string LoggedStatement(const std::string& sql) {
    std::string out;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] == '\r' || sql[i] == '\n') {
            if (sql[i] == '\r' && i + 1 < sql.size() && sql[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else {
            out += sql[i];
        }
    }
    return out + "\r\n";
}

class TBlobPackage {
public:
    TBlobPackage(const std::string& package, TOracleSession& session, TStringList* log)
        : Package(package), Session(session), Log(log) {}

    std::optional<std::string> Descriptor() const {
        TZipReader reader;
        reader.OpenFromMemory(Package);
        for (std::size_t i = 0; i < reader.Count(); ++i)
            if (UpperExtension(reader.Entry(i).FileName) == ".XML")
                return reader.ExtractToMemory(i);
        return std::nullopt;
    }

    bool StoreRecords(const pugi::xml_node& root) {
        TOracleQuery query(&Session);
        for (pugi::xml_node record : root.children())
            if (record.type() == pugi::node_element && !StoreRecord(ReadBlobRecord(record), query))
                return false;
        return true;
    }

private:
    // The first entry whose file name, without regard to case, is `name`, copied into `lob`.
    bool CopyEntryToLob(const std::string& name, TLOBLocator& lob) const {
        TZipReader reader;
        reader.OpenFromMemory(Package);
        const std::string wanted = AsciiUpperCase(name);
        for (std::size_t i = 0; i < reader.Count(); ++i) {
            if (AsciiUpperCase(reader.Entry(i).FileName) != wanted)
                continue;
            reader.Extract(i,
                           [&lob](const char* data, std::size_t size) { lob.Write(data, size); });
            return true;
        }
        return false;
    }

    bool StoreRecord(const TBlobRecord& record, TOracleQuery& query) {
        const int lobType = static_cast<int>(record.Kind);
        auto lob = TLOBLocator::CreateTemporary(Session, lobType);
        const std::string entry = record.EntryBase + ".vbv";
        if (!CopyEntryToLob(entry, *lob))
            return Fail(kMissingDataEntry + entry);

        query.Clear();
        query.SetSQL(BlobStatement(Session.Dialect().BlobRecord, record));
        query.DeclareVariable(kBlobVariable, lobType);
        query.SetComplexVariable(kBlobVariable, lob.get());
        if (Log)
            Log->push_back(LoggedStatement(query.SQL()));
        try {
            query.Execute();
        } catch (const EOracleError& error) {
            if (!Log)
                throw;
            Log->push_back(error.what());
            Log->push_back("");
            return false;
        }
        if (Log) {
            Log->push_back(query.Feedback());
            Log->push_back("");
        }
        return true;
    }

    bool Fail(const std::string& message) {
        if (!Log)
            throw Exception(message);
        Log->push_back(message);
        Log->push_back("");
        return false;
    }

    const std::string& Package;
    TOracleSession& Session;
    TStringList* Log;
};

} // namespace

bool LoadBlobPackage(const std::string& package, pugi::xml_document& document,
                     TOracleSession& session, TStringList* log) {
    TBlobPackage blobs(package, session, log);
    const std::optional<std::string> descriptor = blobs.Descriptor();
    if (!descriptor)
        return false;
    LoadBlobDescriptor(*descriptor, document);
    bool stored = false;
    try {
        stored = blobs.StoreRecords(document.document_element());
    } catch (...) {
        document.reset();
        throw;
    }
    document.reset();
    return stored;
}

} // namespace tarvel
