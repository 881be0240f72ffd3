#pragma once

#include "db/OracleSessionEx.h"

namespace tarvel {

// What the backup engine needs of the main session: take it down before the database stops
// and up again afterwards.
class IManageBaseConnect {
public:
    virtual ~IManageBaseConnect() = default;
    virtual bool IsConnected() = 0;
    // Disconnects; an open transaction is lost.
    virtual void Disconnect() = 0;
    // Connects; the after-logon statements run again. Raises EOracleError on failure.
    virtual void Connect() = 0;
};

class TManageBaseConnect : public IManageBaseConnect {
public:
    // The session is not owned; a missing one is a programming error.
    explicit TManageBaseConnect(TOracleSessionEx* session);
    bool IsConnected() override;
    void Disconnect() override;
    void Connect() override;

private:
    TOracleSessionEx* Session;
};

} // namespace tarvel
