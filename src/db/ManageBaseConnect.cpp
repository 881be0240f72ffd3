#include "db/ManageBaseConnect.h"

namespace tarvel {

namespace {
constexpr const char* NoSessionText = "Розробнику, TManageBaseConnect створено без сесії";
constexpr const char* AssertSource = "Tarvel/cUpdatePatchHelpers";
constexpr int AssertLine = 226;
} // namespace

TManageBaseConnect::TManageBaseConnect(TOracleSessionEx* session) : Session(session) {
    Assert(session != nullptr, NoSessionText, AssertSource, AssertLine);
}

bool TManageBaseConnect::IsConnected() {
    return Session->Connected();
}

void TManageBaseConnect::Disconnect() {
    Session->SetConnected(false);
}

void TManageBaseConnect::Connect() {
    Session->SetConnected(true);
}

} // namespace tarvel
