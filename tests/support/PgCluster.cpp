#include "PgCluster.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <memory>
#include <netinet/in.h>
#include <pwd.h>
#include <random>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tarvel::test {

namespace {

constexpr const char* ServerAccount = "postgres";
constexpr std::size_t MaxSocketPath = 100; // sun_path holds 108 bytes with ".s.PGSQL.nnnnn"

std::string Quoted(const std::string& value) {
    std::string out = "'";
    for (char c : value) {
        if (c == '\'' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "'";
}

std::string SqlLiteral(const std::string& value) {
    std::string out = "'";
    for (char c : value) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + "'";
}

std::string RandomPassword() {
    std::random_device rd;
    std::uniform_int_distribution<int> digit(0, 35);
    std::string out;
    for (int i = 0; i < 24; ++i) {
        int d = digit(rd);
        out += static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
    }
    return out;
}

// The newest server found in Debian's layout, else libpq-dev's idea of it, else PATH.
std::string FindBinDir() {
    if (const char* env = std::getenv("TARVEL_PG_BINDIR"); env && *env)
        return env;
    std::string best;
    int bestVersion = -1;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec)) {
        fs::path bin = entry.path() / "bin";
        if (!fs::exists(bin / "initdb") || !fs::exists(bin / "pg_ctl"))
            continue;
        int version = std::atoi(entry.path().filename().c_str());
        if (version > bestVersion) {
            bestVersion = version;
            best = bin.string();
        }
    }
    if (!best.empty())
        return best;
    if (FILE* p = popen("pg_config --bindir 2>/dev/null", "r")) {
        char buf[512] = {};
        std::string dir = fgets(buf, sizeof buf, p) ? buf : "";
        pclose(p);
        while (!dir.empty() && (dir.back() == '\n' || dir.back() == '\r'))
            dir.pop_back();
        if (!dir.empty() && fs::exists(fs::path(dir) / "initdb"))
            return dir;
    }
    throw std::runtime_error("PostgreSQL server binaries (initdb, pg_ctl) not found; "
                             "install the postgresql package or set TARVEL_PG_BINDIR");
}

std::string FindRunuser() {
    for (const char* p : {"/usr/sbin/runuser", "/sbin/runuser", "/usr/bin/runuser"})
        if (access(p, X_OK) == 0)
            return p;
    return "runuser";
}

int FreePort() {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return 54329;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = 54329;
    if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    close(s);
    return port;
}

// Owned argv that stays valid across fork, so the child touches no allocator.
struct TArgv {
    std::vector<std::string> Items;
    std::vector<char*> Ptrs;
    explicit TArgv(std::vector<std::string> items) : Items(std::move(items)) {
        for (auto& s : Items)
            Ptrs.push_back(s.data());
        Ptrs.push_back(nullptr);
    }
};

// Runs argv with output appended to logFile; returns the exit status (-1 when it did not run).
int RunProcess(const TArgv& argv, const std::string& logFile) {
    pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        int null = open("/dev/null", O_RDONLY);
        if (null >= 0)
            dup2(null, 0);
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
        }
        execvp(argv.Ptrs[0], argv.Ptrs.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Tail(const std::string& file) {
    std::ifstream in(file);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}

struct TPgConnCloser {
    void operator()(PGconn* c) const { PQfinish(c); }
};
struct TPgResultCloser {
    void operator()(PGresult* r) const { PQclear(r); }
};
using TConn = std::unique_ptr<PGconn, TPgConnCloser>;
using TResult = std::unique_ptr<PGresult, TPgResultCloser>;

TConn Connect(const TPgLogon& logon) {
    TConn conn(PQconnectdb(logon.ConnInfo().c_str()));
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw std::runtime_error("cannot connect to the test cluster: " +
                                 std::string(PQerrorMessage(conn.get())));
    PQsetNoticeProcessor(
        conn.get(), [](void*, const char*) {}, nullptr);
    return conn;
}

TResult Exec(PGconn* conn, const std::string& sql) {
    TResult res(PQexec(conn, sql.c_str()));
    ExecStatusType st = PQresultStatus(res.get());
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK)
        throw std::runtime_error("test cluster: " + std::string(PQerrorMessage(conn)) +
                                 "in: " + sql);
    return res;
}

class TPgClusterEnvironment : public ::testing::Environment {
public:
    void TearDown() override;
};

bool Started = false;

void TPgClusterEnvironment::TearDown() {
    if (Started)
        TPgCluster::Get().Shutdown();
}

[[maybe_unused]] ::testing::Environment* const ClusterEnvironment =
    ::testing::AddGlobalTestEnvironment(new TPgClusterEnvironment);

} // namespace

std::string TPgLogon::LogonDatabase() const {
    return "host=" + Quoted(SocketDir) + " port=" + std::to_string(Port) +
           " dbname=" + Quoted(Database);
}

std::string TPgLogon::ConnInfo() const {
    return LogonDatabase() + " user=" + Quoted(User) + " password=" + Quoted(Password);
}

TPgCluster& TPgCluster::Get() {
    static TPgCluster* instance = nullptr;
    static std::string failure;
    if (!failure.empty())
        throw std::runtime_error(failure);
    if (!instance) {
        auto* cluster = new TPgCluster;
        try {
            cluster->BinDir = FindBinDir();
            cluster->CreateFolders();
            cluster->StartWatchdog();
            cluster->InitDb();
            cluster->StartServer();
            Started = true;
            cluster->CreateProductSchema();
        } catch (const std::exception& e) {
            failure = e.what();
            if (Started)
                cluster->Shutdown();
            else if (cluster->WatchdogPipe >= 0)
                close(cluster->WatchdogPipe);
            throw;
        }
        instance = cluster;
    }
    return *instance;
}

TPgCluster::TPgCluster() : AsRoot(geteuid() == 0) {}

void TPgCluster::CreateFolders() {
    if (AsRoot) {
        passwd* pw = getpwnam(ServerAccount);
        if (!pw)
            throw std::runtime_error("the tests run as root and there is no 'postgres' account "
                                     "to run the test server as");
        ServerUid = pw->pw_uid;
        ServerGid = pw->pw_gid;
    }
    std::vector<std::string> roots;
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        roots.emplace_back(tmp);
    roots.emplace_back("/tmp");
    for (const auto& root : roots) {
        std::string pattern = (fs::path(root) / "tarvel-pg-XXXXXX").string();
        if (pattern.size() + 10 > MaxSocketPath)
            continue;
        if (!mkdtemp(pattern.data()))
            continue;
        BaseFolder = pattern;
        if (AsRoot) {
            // The server account must reach the folder through every parent of it.
            if (chown(BaseFolder.c_str(), ServerUid, ServerGid) != 0 ||
                RunProcess(TArgv({FindRunuser(), "-u", ServerAccount, "--", "test", "-w",
                                  BaseFolder, "-a", "-x", BaseFolder}),
                           "/dev/null") != 0) {
                fs::remove_all(BaseFolder);
                BaseFolder.clear();
                continue;
            }
        }
        break;
    }
    if (BaseFolder.empty())
        throw std::runtime_error("no temporary folder usable by the test server");
    DataFolder = BaseFolder + "/data";
    SocketFolder = BaseFolder + "/socket";
    mkdir(SocketFolder.c_str(), 0700);
    if (AsRoot && chown(SocketFolder.c_str(), ServerUid, ServerGid) != 0)
        throw std::runtime_error("cannot hand the socket folder to the server account");
    PortNumber = FreePort();
}

// The watchdog lives in its own session, so a terminal's Ctrl-C or a killed process group does
// not take it along; it waits for the test program's end of the pipe to close, however the
// program ended, then stops the server and removes the folders.
void TPgCluster::StartWatchdog() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot create the watchdog pipe");
    std::vector<std::string> stop = {BinDir + "/pg_ctl", "-D", DataFolder, "-m",
                                     "immediate",        "-w", "stop"};
    if (AsRoot)
        stop.insert(stop.begin(), {FindRunuser(), "-u", ServerAccount, "--"});
    TArgv stopArgv(stop);
    TArgv removeArgv({"rm", "-rf", BaseFolder});
    std::string pidFile = DataFolder + "/postmaster.pid";
    pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("cannot start the watchdog");
    if (pid == 0) {
        setsid();
        signal(SIGINT, SIG_IGN);
        signal(SIGHUP, SIG_IGN);
        signal(SIGQUIT, SIG_IGN);
        close(fds[1]);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        for (char c;;) {
            ssize_t n = read(fds[0], &c, 1);
            if (n == 0 || (n < 0 && errno != EINTR))
                break;
        }
        for (const TArgv* argv : {&stopArgv, &removeArgv}) {
            if (argv == &stopArgv && access(pidFile.c_str(), F_OK) != 0)
                continue;
            pid_t child = fork();
            if (child == 0) {
                execvp(argv->Ptrs[0], argv->Ptrs.data());
                _exit(127);
            }
            if (child > 0)
                waitpid(child, nullptr, 0);
        }
        _exit(0);
    }
    close(fds[0]);
    WatchdogPipe = fds[1];
    WatchdogPid = pid;
}

int TPgCluster::RunTool(const std::string& tool, const std::vector<std::string>& args) const {
    std::vector<std::string> argv;
    if (AsRoot)
        argv = {FindRunuser(), "-u", ServerAccount, "--"};
    argv.push_back(BinDir + "/" + tool);
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(TArgv(argv), BaseFolder + "/tools.log");
}

void TPgCluster::InitDb() {
    AdminPassword = RandomPassword();
    std::string pwFile = BaseFolder + "/pwfile";
    {
        std::ofstream out(pwFile);
        out << AdminPassword << "\n";
    }
    chmod(pwFile.c_str(), 0600);
    if (AsRoot && chown(pwFile.c_str(), ServerUid, ServerGid) != 0)
        throw std::runtime_error("cannot hand the password file to the server account");
    int rc = RunTool("initdb", {"-D", DataFolder, "-U", ServerAccount, "--pwfile=" + pwFile,
                                "--auth=scram-sha-256", "-E", "UTF8", "--locale=C.UTF-8",
                                "--no-sync", "--no-instructions"});
    fs::remove(pwFile);
    if (rc != 0)
        throw std::runtime_error("initdb failed:\n" + Tail(BaseFolder + "/tools.log"));
    std::ofstream conf(DataFolder + "/postgresql.conf", std::ios::app);
    conf << "\n# test cluster\n"
         << "listen_addresses = ''\n"
         << "unix_socket_directories = " << Quoted(SocketFolder) << "\n"
         << "port = " << PortNumber << "\n"
         << "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n"
         << "max_connections = 40\nshared_buffers = 16MB\n"
         << "logging_collector = off\n";
}

void TPgCluster::StartServer() {
    if (RunTool("pg_ctl", {"-D", DataFolder, "-l", BaseFolder + "/server.log", "-w", "-t", "60",
                           "start"}) != 0)
        throw std::runtime_error("the test server did not start:\n" +
                                 Tail(BaseFolder + "/server.log"));
    Running = true;
    WaitUntilAcceptingLogons();
    setenv("PGHOST", SocketFolder.c_str(), 1);
    setenv("PGPORT", std::to_string(PortNumber).c_str(), 1);
    setenv("PGDATABASE", OwnerDatabase, 1);
}

void TPgCluster::CreateProductSchema() {
    ExecAsAdmin(std::string("create role ") + OwnerUser + " login password " +
                    SqlLiteral(OwnerPassword),
                "postgres");
    ExecAsAdmin(std::string("create database ") + OwnerDatabase + " owner " + OwnerUser,
                "postgres");
    ExecAsOwner(std::string("create schema authorization ") + OwnerUser +
                ";"
                "create table dict_setting (setting_id varchar(64) primary key,"
                " setting_value varchar(4000));"
                "create table dict_messages (constraint_name varchar(128) primary key,"
                " error_message varchar(2000) not null)");
}

TPgLogon TPgCluster::As(const std::string& user, const std::string& password,
                        const std::string& database) const {
    return {SocketFolder, PortNumber, database, user, password};
}

TPgLogon TPgCluster::Admin() const {
    return As(ServerAccount, AdminPassword, "postgres");
}

TPgLogon TPgCluster::Owner() const {
    return As(OwnerUser, OwnerPassword);
}

void TPgCluster::ExecAsAdmin(const std::string& sql, const std::string& database) const {
    TConn conn = Connect(As(ServerAccount, AdminPassword, database));
    Exec(conn.get(), sql);
}

void TPgCluster::ExecAsOwner(const std::string& sql) const {
    TConn conn = Connect(Owner());
    Exec(conn.get(), sql);
}

std::string TPgCluster::QueryAsAdmin(const std::string& sql, const std::string& database) const {
    TConn conn = Connect(As(ServerAccount, AdminPassword, database));
    TResult res = Exec(conn.get(), sql);
    if (PQntuples(res.get()) < 1 || PQnfields(res.get()) < 1)
        return "";
    return PQgetvalue(res.get(), 0, 0);
}

TPgLogon TPgCluster::CreateLogin(const std::string& user, const std::string& password) const {
    if (QueryAsAdmin("select count(*) from pg_roles where rolname = " + SqlLiteral(user)) != "0") {
        ExecAsAdmin("drop owned by " + user + " cascade", OwnerDatabase);
        ExecAsAdmin("drop owned by " + user + " cascade", "postgres");
        ExecAsAdmin("drop role " + user, "postgres");
    }
    ExecAsAdmin("create role " + user + " login password " + SqlLiteral(password) +
                    ";grant connect on database " + OwnerDatabase + " to " + user,
                "postgres");
    ExecAsAdmin("create schema authorization " + user, OwnerDatabase);
    return As(user, password);
}

void TPgCluster::Stop() {
    if (!Running)
        return;
    RunTool("pg_ctl", {"-D", DataFolder, "-m", "fast", "-w", "-t", "60", "stop"});
    Running = false;
}

void TPgCluster::Start() {
    if (Running)
        return;
    StartServer();
}

void TPgCluster::StartNotAcceptingLogons() {
    Stop();
    std::ofstream(DataFolder + "/standby.signal").close();
    if (RunTool("pg_ctl", {"-D", DataFolder, "-l", BaseFolder + "/server.log", "-o",
                           "-c hot_standby=off", "-w", "-t", "60", "start"}) != 0)
        throw std::runtime_error("the test server did not start in recovery:\n" +
                                 Tail(BaseFolder + "/server.log"));
    Running = true;
}

void TPgCluster::FinishStartup() {
    if (RunTool("pg_ctl", {"-D", DataFolder, "-w", "-t", "60", "promote"}) != 0)
        throw std::runtime_error("the test server did not leave recovery:\n" +
                                 Tail(BaseFolder + "/server.log"));
    WaitUntilAcceptingLogons();
}

void TPgCluster::WaitUntilAcceptingLogons() const {
    const std::string conninfo = Admin().ConnInfo();
    for (int i = 0; i < 600; ++i) {
        if (PQping(conninfo.c_str()) == PQPING_OK)
            return;
        usleep(50000);
    }
    throw std::runtime_error("the test server does not accept logons:\n" +
                             Tail(BaseFolder + "/server.log"));
}

void TPgCluster::Shutdown() {
    Stop();
    if (!BaseFolder.empty()) {
        std::error_code ec;
        fs::remove_all(BaseFolder, ec);
    }
    if (WatchdogPipe >= 0) {
        close(WatchdogPipe);
        WatchdogPipe = -1;
        waitpid(WatchdogPid, nullptr, 0);
    }
    Started = false;
}

} // namespace tarvel::test
