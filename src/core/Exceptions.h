#pragma once

#include <stdexcept>
#include <string>

namespace tarvel {

// Every failure of the system is one of these. Messages are UTF-8 user texts.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// The silent abort: unwinds the current operation without showing anything.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// A programming error. Carries the reporting source and line as the message says them.
class EAssertionFailed : public Exception {
public:
    EAssertionFailed(const std::string& message, const std::string& source, int line)
        : Exception(message + " (" + source + ", line " + std::to_string(line) + ")"),
          Source(source), Line(line) {}
    std::string Source;
    int Line;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An error reported by the database engine; ErrorCode is the engine's number for it.
class EOracleError : public Exception {
public:
    EOracleError(const std::string& message, int errorCode)
        : Exception(message), ErrorCode(errorCode) {}
    int ErrorCode;
};

class ENotStartServer : public Exception {
public:
    using Exception::Exception;
};

class EUserCanceled : public Exception {
public:
    using Exception::Exception;
};

// Raises EAssertionFailed when the condition does not hold; active in every build.
void Assert(bool condition, const std::string& message, const std::string& source, int line);

} // namespace tarvel
