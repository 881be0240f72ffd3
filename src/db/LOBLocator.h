#pragma once

#include "db/Variant.h"

#include <cstddef>
#include <memory>
#include <string>

namespace tarvel {

class TOracleSession;

// A LOB (character otCLOB or binary otBLOB) held for a session, written and read like a
// stream with one position for both.
class TLOBLocator {
public:
    TLOBLocator(TOracleSession& session, int lobType);
    // A temporary LOB of the given kind on the session.
    static std::unique_ptr<TLOBLocator> CreateTemporary(TOracleSession& session, int lobType);

    int LobType() const { return Type; }
    TOracleSession& Session() const { return *Owner; }

    std::size_t Write(const void* data, std::size_t size);
    std::size_t Read(void* data, std::size_t size);
    void Seek(std::size_t position) { Position = position < Data.size() ? position : Data.size(); }
    std::size_t Size() const { return Data.size(); }
    // Cuts the LOB at the current position.
    void Truncate() { Data.resize(Position); }

    // The whole content; the text of a character LOB.
    const std::string& AsString() const { return Data; }
    void SetAsString(const std::string& content);
    // The content as the value bound for a variable of this LOB's kind.
    TVariant AsVariant() const;

private:
    TOracleSession* Owner;
    int Type;
    std::string Data;
    std::size_t Position = 0;
};

} // namespace tarvel
