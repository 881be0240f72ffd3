#pragma once

#include "core/StringList.h"

#include <string>

namespace pugi {
class xml_document;
}

namespace tarvel {

class TOracleSession;

// Stores the LOB values of a BLOB package (a ".bfb" archive held in memory) into existing rows,
// one statement per record through `session`, without committing. `document` is lent for the
// descriptor and emptied again. The log, when given, receives each statement followed by its
// feedback or its error and an empty line.
//
// True when the package holds a descriptor and every record was stored; records after a failed
// one are not attempted. A record's database error, or a data entry missing from the package,
// fails the record (raised instead when there is no log); any other error raises.
bool LoadBlobPackage(const std::string& package, pugi::xml_document& document,
                     TOracleSession& session, TStringList* log);

} // namespace tarvel
