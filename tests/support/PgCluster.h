#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tarvel::test {

// Where and as whom a test connects to the throwaway cluster.
struct TPgLogon {
    std::string SocketDir;
    int Port = 0;
    std::string Database;
    std::string User;
    std::string Password;

    // libpq connection text without the user and password, fit for a session's logon database.
    std::string LogonDatabase() const;
    // Full libpq connection text, user and password included.
    std::string ConnInfo() const;
};

// One throwaway PostgreSQL cluster per test program: its own data folder under TMPDIR, its own
// socket folder and port, no TCP listener, password (scram) authentication for every user. It is
// started by the first Get() and stopped when the test program ends; a watchdog process stops it
// and removes its folders when the program dies in any other way (signal, abort, kill).
//
// When it starts it points PGHOST, PGPORT and PGDATABASE at itself, so an empty logon database
// reaches it, and it creates the product's schema owner (OwnerUser/OwnerPassword) with its own
// database and schema holding the tables dict_setting and dict_messages.
class TPgCluster {
public:
    static constexpr const char* OwnerUser = "velmora";
    static constexpr const char* OwnerPassword = "Velmora-Pass1";
    static constexpr const char* OwnerDatabase = "velmora";

    // The running cluster; starts it on the first call. Raises std::runtime_error when the
    // server cannot be set up.
    static TPgCluster& Get();

    TPgLogon Admin() const;
    TPgLogon Owner() const;
    TPgLogon As(const std::string& user, const std::string& password,
                const std::string& database = OwnerDatabase) const;

    // Runs SQL (several statements allowed) as the superuser in the given database; raises
    // std::runtime_error with the server's message when it fails.
    void ExecAsAdmin(const std::string& sql, const std::string& database = OwnerDatabase) const;
    void ExecAsOwner(const std::string& sql) const;
    // Runs a single-value query as the superuser and returns its text (empty for NULL).
    std::string QueryAsAdmin(const std::string& sql,
                             const std::string& database = OwnerDatabase) const;

    // A login role with a password and its own schema in the owner's database; dropped first
    // when it exists.
    TPgLogon CreateLogin(const std::string& user, const std::string& password) const;

    // Server control for tests of a stopped or starting server. StartNotAcceptingLogons brings
    // the server up in standby recovery, where every logon is refused with SQLSTATE 57P03;
    // FinishStartup promotes it so that logons are accepted again.
    void Stop();
    void Start();
    void StartNotAcceptingLogons();
    void FinishStartup();
    bool IsRunning() const { return Running; }

    const std::string& SocketDir() const { return SocketFolder; }
    int Port() const { return PortNumber; }
    const std::string& DataDir() const { return DataFolder; }

    // Stops the server and removes its folders; called at the end of the test program.
    void Shutdown();

    TPgCluster(const TPgCluster&) = delete;
    TPgCluster& operator=(const TPgCluster&) = delete;

private:
    TPgCluster();
    ~TPgCluster() = default;

    void CreateFolders();
    void InitDb();
    void StartWatchdog();
    void StartServer();
    void CreateProductSchema();
    void WaitUntilAcceptingLogons() const;
    int RunTool(const std::string& tool, const std::vector<std::string>& args) const;

    std::string BinDir;
    std::string BaseFolder;
    std::string DataFolder;
    std::string SocketFolder;
    std::string AdminPassword;
    int PortNumber = 0;
    bool Running = false;
    bool AsRoot = false;
    uid_t ServerUid = 0;
    gid_t ServerGid = 0;
    int WatchdogPipe = -1;
    pid_t WatchdogPid = -1;
};

} // namespace tarvel::test
