#include "db/LOBLocator.h"

#include "db/DbTypes.h"

#include <algorithm>
#include <cstring>

namespace tarvel {

TLOBLocator::TLOBLocator(TOracleSession& session, int lobType) : Owner(&session), Type(lobType) {}

std::unique_ptr<TLOBLocator> TLOBLocator::CreateTemporary(TOracleSession& session, int lobType) {
    return std::make_unique<TLOBLocator>(session, lobType);
}

std::size_t TLOBLocator::Write(const void* data, std::size_t size) {
    if (Position + size > Data.size())
        Data.resize(Position + size);
    std::memcpy(Data.data() + Position, data, size);
    Position += size;
    return size;
}

std::size_t TLOBLocator::Read(void* data, std::size_t size) {
    std::size_t n = std::min(size, Data.size() - Position);
    std::memcpy(data, Data.data() + Position, n);
    Position += n;
    return n;
}

void TLOBLocator::SetAsString(const std::string& content) {
    Data = content;
    Position = Data.size();
}

TVariant TLOBLocator::AsVariant() const {
    if (Type == otBLOB)
        return TBytes{Data};
    return Data;
}

} // namespace tarvel
