#pragma once

#include <string>

namespace tarvel {

// Variable types of the access layer, numbered as the Oracle client numbers them.
constexpr int otSubst = 1;
constexpr int otInteger = 3;
constexpr int otFloat = 4;
constexpr int otString = 5;
constexpr int otDate = 12;
constexpr int otCLOB = 112;
constexpr int otBLOB = 113;

inline bool IsLobType(int type) {
    return type == otCLOB || type == otBLOB;
}

enum class TFieldType { ftUnknown, ftString, ftInteger, ftFloat, ftDateTime, ftMemo, ftBlob };

// The variable type a field of this type is bound with.
int OraTypeOfField(TFieldType type);

enum class TDbEngine { Oracle, PostgreSQL };

// Parses the release parameter Engine ("oracle", "postgresql", any case; empty = oracle);
// raises EConvertError for anything else.
TDbEngine ParseDbEngine(const std::string& text);

// The engine of sessions that are created without naming one (the release's engine).
TDbEngine DefaultDbEngine();
void SetDefaultDbEngine(TDbEngine engine);

} // namespace tarvel
