#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace tarvel {

// A point in time as days since 30.12.1899 with the time of day as the fraction.
struct TDateTime {
    double Value = 0;
    friend bool operator==(const TDateTime&, const TDateTime&) = default;
};

// "yyyy-mm-dd hh:mm:ss" and back; the text form every engine reads whatever its date settings.
std::string DateTimeToIso(TDateTime value);
// Accepts "yyyy-mm-dd[ hh:mm:ss[.fff]][+zz]"; raises EConvertError otherwise.
TDateTime IsoToDateTime(const std::string& text);

// Text that replaces a substitution variable in the statement text before it is parsed.
struct TSubstitution {
    std::string Text;
    friend bool operator==(const TSubstitution&, const TSubstitution&) = default;
};

// Binary content (a BLOB's bytes).
struct TBytes {
    std::string Data;
    friend bool operator==(const TBytes&, const TBytes&) = default;
};

// A value passed to and from the database: unassigned, null, or one typed value.
class TVariant {
public:
    struct TNull {
        friend bool operator==(const TNull&, const TNull&) = default;
    };
    using TValue = std::variant<std::monostate, TNull, bool, std::int64_t, double, std::string,
                                TDateTime, TSubstitution, TBytes>;

    TVariant() = default;
    TVariant(int v) : V(static_cast<std::int64_t>(v)) {}
    TVariant(unsigned v) : V(static_cast<std::int64_t>(v)) {}
    TVariant(long v) : V(static_cast<std::int64_t>(v)) {}
    TVariant(long long v) : V(static_cast<std::int64_t>(v)) {}
    TVariant(double v) : V(v) {}
    TVariant(bool v) : V(v) {}
    TVariant(std::string v) : V(std::move(v)) {}
    TVariant(const char* v) : V(std::string(v)) {}
    TVariant(TDateTime v) : V(v) {}
    TVariant(TSubstitution v) : V(std::move(v)) {}
    TVariant(TBytes v) : V(std::move(v)) {}

    static TVariant Null() {
        TVariant v;
        v.V = TNull{};
        return v;
    }

    bool IsUnassigned() const { return std::holds_alternative<std::monostate>(V); }
    bool IsNull() const { return std::holds_alternative<TNull>(V); }
    // Unassigned or null.
    bool IsEmpty() const { return IsUnassigned() || IsNull(); }
    bool IsInteger() const { return std::holds_alternative<std::int64_t>(V); }
    bool IsFloat() const { return std::holds_alternative<double>(V); }
    bool IsString() const { return std::holds_alternative<std::string>(V); }
    bool IsDate() const { return std::holds_alternative<TDateTime>(V); }
    bool IsSubstitution() const { return std::holds_alternative<TSubstitution>(V); }
    bool IsBytes() const { return std::holds_alternative<TBytes>(V); }
    bool IsBoolean() const { return std::holds_alternative<bool>(V); }

    // Text form: empty for unassigned and null, "." as the decimal separator, dates as
    // "dd.mm.yyyy hh:mm:ss" (the time left out at midnight).
    std::string AsString() const;
    // Raise EConvertError when the value has no such reading.
    std::int64_t AsInteger() const;
    double AsFloat() const;
    TDateTime AsDateTime() const;

    const TValue& Value() const { return V; }
    friend bool operator==(const TVariant&, const TVariant&) = default;

private:
    TValue V;
};

} // namespace tarvel
