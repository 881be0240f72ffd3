#include "db/DbTypes.h"

#include "core/Exceptions.h"

#include <algorithm>

namespace tarvel {

namespace {
TDbEngine CurrentDefault = TDbEngine::Oracle;
}

int OraTypeOfField(TFieldType type) {
    switch (type) {
    case TFieldType::ftInteger:
        return otInteger;
    case TFieldType::ftFloat:
        return otFloat;
    case TFieldType::ftDateTime:
        return otDate;
    case TFieldType::ftMemo:
        return otCLOB;
    case TFieldType::ftBlob:
        return otBLOB;
    default:
        return otString;
    }
}

TDbEngine ParseDbEngine(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    if (lower.empty() || lower == "oracle")
        return TDbEngine::Oracle;
    if (lower == "postgresql")
        return TDbEngine::PostgreSQL;
    throw EConvertError("Unknown database engine '" + text + "'");
}

TDbEngine DefaultDbEngine() {
    return CurrentDefault;
}

void SetDefaultDbEngine(TDbEngine engine) {
    CurrentDefault = engine;
}

} // namespace tarvel
