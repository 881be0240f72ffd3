#include "engine/RunLog.h"

#include "core/StringUtils.h"

#include <cmath>
#include <cstdio>

namespace tarvel {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Below this share of a day (59.616 seconds) a script counts as under a minute.
constexpr double kUnderOneMinuteDays = 0.00069;

const char* const kTimeUnderMinute = "Час виконання < 1 хвилини\r\n";
const char* const kTimePrefix = "Час виконання: ";

} // namespace

TStringList EntryBanner(std::string_view label) {
    const std::string rule = "/" + std::string(58, '*') + "/";
    return {rule, "/* " + AsciiUpperCase(label) + " */", rule};
}

std::string RunReportStamp(const std::tm& local) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d%02d%04d%d%02d%02d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string RunReportStampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return RunReportStamp(local);
}

double SecondsOfDay(std::chrono::system_clock::time_point at) {
    const std::time_t whole = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
    localtime_r(&whole, &local);
    const auto fraction = at - std::chrono::system_clock::from_time_t(whole);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
           std::chrono::duration<double>(fraction).count();
}

double ElapsedSecondsOfDay(double start, double end) {
    double elapsed = end - start;
    if (elapsed < 0)
        elapsed += kSecondsPerDay;
    return elapsed;
}

std::string LongTimeText(double seconds) {
    const long whole = std::lround(std::floor(seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600 % 24, whole / 60 % 60,
                  whole % 60);
    return text;
}

std::string ExecutionTimeLine(double seconds) {
    if (seconds / kSecondsPerDay < kUnderOneMinuteDays)
        return kTimeUnderMinute;
    return kTimePrefix + LongTimeText(seconds) + "\r\n";
}

} // namespace tarvel
