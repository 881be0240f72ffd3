#include "db/DbDriver.h"

#include "db/postgres/PgDriver.h"

namespace tarvel {

namespace {
constexpr const char* NoOracleDriverText =
    "Підтримку СУБД Oracle не включено до цієї збірки програми";
}

IDbDriver& DriverFor(TDbEngine engine) {
    static TPgDriver postgres;
    if (engine == TDbEngine::PostgreSQL)
        return postgres;
    throw Exception(NoOracleDriverText);
}

} // namespace tarvel
