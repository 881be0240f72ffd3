#include "db/Variant.h"

#include "core/Exceptions.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarvel {

namespace {

constexpr std::int64_t DaysFrom1970To1899 = -25569; // 30.12.1899 relative to 01.01.1970

// Days since 01.01.1970 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

struct TParts {
    int Year;
    unsigned Month, Day, Hour, Minute, Second;
};

TParts Split(TDateTime value) {
    double days = std::floor(value.Value);
    auto seconds = static_cast<long>(std::llround((value.Value - days) * 86400.0));
    if (seconds >= 86400) {
        days += 1;
        seconds -= 86400;
    }
    TParts p{};
    CivilFromDays(static_cast<std::int64_t>(days) + DaysFrom1970To1899, p.Year, p.Month, p.Day);
    p.Hour = static_cast<unsigned>(seconds / 3600);
    p.Minute = static_cast<unsigned>(seconds / 60 % 60);
    p.Second = static_cast<unsigned>(seconds % 60);
    return p;
}

std::string FloatText(double v) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, end);
}

} // namespace

std::string DateTimeToIso(TDateTime value) {
    TParts p = Split(value);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02u:%02u:%02u", p.Year, p.Month, p.Day, p.Hour,
                  p.Minute, p.Second);
    return buf;
}

TDateTime IsoToDateTime(const std::string& text) {
    int y = 0;
    unsigned mo = 0, d = 0, h = 0, mi = 0;
    double s = 0;
    int n = std::sscanf(text.c_str(), "%d-%u-%u %u:%u:%lf", &y, &mo, &d, &h, &mi, &s);
    if (n != 3 && n != 6)
        throw EConvertError("'" + text + "' is not a valid date and time");
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s >= 61)
        throw EConvertError("'" + text + "' is not a valid date and time");
    double days = static_cast<double>(DaysFromCivil(y, mo, d) - DaysFrom1970To1899);
    return {days + (h * 3600.0 + mi * 60.0 + s) / 86400.0};
}

std::string TVariant::AsString() const {
    struct TVisitor {
        std::string operator()(std::monostate) const { return ""; }
        std::string operator()(TNull) const { return ""; }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const { return FloatText(v); }
        std::string operator()(const std::string& v) const { return v; }
        std::string operator()(TDateTime v) const {
            TParts p = Split(v);
            char buf[40];
            if (p.Hour == 0 && p.Minute == 0 && p.Second == 0)
                std::snprintf(buf, sizeof buf, "%02u.%02u.%04d", p.Day, p.Month, p.Year);
            else
                std::snprintf(buf, sizeof buf, "%02u.%02u.%04d %u:%02u:%02u", p.Day, p.Month,
                              p.Year, p.Hour, p.Minute, p.Second);
            return buf;
        }
        std::string operator()(const TSubstitution& v) const { return v.Text; }
        std::string operator()(const TBytes& v) const { return v.Data; }
    };
    return std::visit(TVisitor{}, V);
}

std::int64_t TVariant::AsInteger() const {
    if (auto* i = std::get_if<std::int64_t>(&V))
        return *i;
    if (auto* b = std::get_if<bool>(&V))
        return *b ? 1 : 0;
    if (auto* f = std::get_if<double>(&V))
        return std::llround(*f);
    std::string text = AsString();
    std::int64_t out = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw EConvertError("'" + text + "' is not a valid integer value");
    return out;
}

double TVariant::AsFloat() const {
    if (auto* f = std::get_if<double>(&V))
        return *f;
    if (auto* i = std::get_if<std::int64_t>(&V))
        return static_cast<double>(*i);
    if (auto* t = std::get_if<TDateTime>(&V))
        return t->Value;
    std::string text = AsString();
    double out = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw EConvertError("'" + text + "' is not a valid floating point value");
    return out;
}

TDateTime TVariant::AsDateTime() const {
    if (auto* t = std::get_if<TDateTime>(&V))
        return *t;
    if (IsFloat() || IsInteger())
        return {AsFloat()};
    return IsoToDateTime(AsString());
}

} // namespace tarvel
