#include "db/DataMain.h"

#include "core/StringUtils.h"
#include "db/OracleHelpers.h"
#include "ui/MsgDlg.h"

#include <chrono>
#include <cmath>
#include <random>

namespace tarvel {

TdmMain* dmMain = nullptr;

namespace {

// The first letters of "cервіс" and "cервер" are Latin.
constexpr const char* ConnectFailedText =
    "Неможливо встановити з'єднання з БД зверніться до адміністратора.\r\n\r\nМожливі причини "
    "проблеми: \r\n  - cервіс БД призупинено або від працює некоректно\r\n  - cервер БД не "
    "використовується для обслуговування %PROG_NAME% \r\n  - пароль головного користувача "
    "%PROG_NAME% несанкційовано змінено.";
constexpr const char* ProgNamePlaceholder = "%PROG_NAME%";
constexpr const char* SessionCountField = "US";
constexpr const char* UserNameParam = ":USER_NAME";

// An integer drawn below trunc(now × 2147483647) taken to 32 bits, from a clock-seeded
// generator.
long long DrawSeed() {
    using namespace std::chrono;
    const double days =
        duration<double>(system_clock::now().time_since_epoch()).count() / 86400.0 + 25569.0;
    const auto bound = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::int64_t>(std::trunc(days * 2147483647.0))));
    if (bound <= 0)
        return 0;
    std::mt19937 generator(static_cast<unsigned>(system_clock::now().time_since_epoch().count()));
    return std::uniform_int_distribution<std::int32_t>(0, bound - 1)(generator);
}

} // namespace

TdmMain::TdmMain(TDbEngine engine) : ossnMain(engine) {
    ossnMain.RollbackOnDisconnect = true;
    ossnMain.OptimizerGoal = TOptimizerGoal::ogChoose;
    ossnMain.MessageTable = "dict_messages";
    ossnMain.StatementCache = true;
    ossnMain.StatementCacheSize = 40;
    ossnMain.Preferences.TrimStringFields = false;
    ossnMain.Debug = false;
    ossnMain.DebugChild = false;
    ossnMain.AfterLogOn = &TdmMain::ossnMainAfterLogOn;
    ossnMain.LogonUsername.clear();
    ossnMain.LogonPassword.clear();
    ossnMain.LogonDatabase.clear();
    ossnMain.SetConnected(false);
    dmMain = this;
}

TdmMain::~TdmMain() {
    if (dmMain == this)
        dmMain = nullptr;
}

void TdmMain::ossnMainAfterLogOn(TOracleSession& session) {
    auto* ex = dynamic_cast<TOracleSessionEx*>(&session);
    if (!ex || !session.Connected())
        return;
    TVariant result;
    for (const auto& statement : session.Dialect().AfterLogon)
        ex->ExecuteWithParams(statement, {}, result);
    try {
        ex->ExecuteWithParams(session.Dialect().SeedBlock, {DrawSeed()}, result);
    } catch (const std::exception&) {
        // The seed only varies the server's random numbers; a logon does not fail for it.
    }
}

bool ConnectMainSession(TOracleSessionEx& session, const std::string& progName) {
    try {
        session.SetConnected(true);
        return true;
    } catch (const std::exception&) {
        MsgDlg(ReplacePlaceholders(ConnectFailedText, {ProgNamePlaceholder}, {progName}),
               TMsgKind::mkError, MsgButtons({btOk}));
        return false;
    }
}

bool CheckOtherSessions(TOracleSession& session, const std::string& userName) {
    TVariant count;
    if (const std::string& refresh = session.Dialect().RefreshSessionList; !refresh.empty())
        OraQueryOpen(refresh, {}, {}, session);
    OraQueryGetValue(session.Dialect().OtherSessions, SessionCountField, {UserNameParam},
                     {userName}, session, count);
    return count.AsInteger() == 1;
}

} // namespace tarvel
