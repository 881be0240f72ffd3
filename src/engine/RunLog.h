#pragma once

#include "core/StringList.h"

#include <chrono>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The three lines that label a piece of work: a line of 60 characters, "/* LABEL */" with the
// label upper-cased (Latin letters), and the first line again.
TStringList EntryBanner(std::string_view label);

// The time stamp that opens the names of the run report entries: the date as ddMMyyyy and the
// time as Hmmss (hours without a leading zero), e.g. 17082009143512.
std::string RunReportStamp(const std::tm& local);
std::string RunReportStampNow();

// Seconds of the time of day, local time.
double SecondsOfDay(std::chrono::system_clock::time_point at);
// Seconds from `start` to `end`, both times of day; a run past midnight adds a day.
double ElapsedSecondsOfDay(double start, double end);
// The run log line for a script that took `seconds`, ending in "\r\n".
std::string ExecutionTimeLine(double seconds);
// Seconds in the long time format H:mm:ss (90 gives 0:01:30).
std::string LongTimeText(double seconds);

} // namespace tarvel
