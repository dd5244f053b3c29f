#include "platform/sql/sim/SqlFunctions.h"

#include "platform/core/DateTime.h"
#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"

#include <cstring>
#include <sqlite3.h>

namespace tarnwick::sql::sim {

namespace {

std::string ArgumentBytes(sqlite3_value* value)
{
    const auto* data = static_cast<const char*>(sqlite3_value_blob(value));
    return data ? std::string(data, static_cast<std::size_t>(sqlite3_value_bytes(value))) : std::string();
}

// A character class "[abc]", "[a-z]" or "[^abc]" at pattern[p]; returns the position after
// it, or npos when the bracket does not close (then it is an ordinary character).
std::size_t MatchClass(const std::string& pattern, std::size_t p, char c, bool& matched)
{
    const std::size_t close = pattern.find(']', p + 1);
    if (close == std::string::npos) return std::string::npos;
    std::size_t i = p + 1;
    const bool negate = i < close && pattern[i] == '^';
    if (negate) ++i;
    bool found = false;
    const char upper = UpperChar(c);
    for (; i < close; ++i) {
        if (i + 2 < close && pattern[i + 1] == '-') {
            const char low = UpperChar(pattern[i]);
            const char high = UpperChar(pattern[i + 2]);
            found = found || (static_cast<unsigned char>(upper) >= static_cast<unsigned char>(low) &&
                              static_cast<unsigned char>(upper) <= static_cast<unsigned char>(high));
            i += 2;
        } else {
            found = found || UpperChar(pattern[i]) == upper;
        }
    }
    matched = found != negate;
    return close + 1;
}

// Whether the pattern matches the whole rest of the text from t.
bool Like(const std::string& pattern, std::size_t p, const std::string& text, std::size_t t)
{
    while (p < pattern.size()) {
        const char pc = pattern[p];
        if (pc == '%') {
            while (p < pattern.size() && pattern[p] == '%') ++p;
            if (p == pattern.size()) return true;
            for (std::size_t i = t; i <= text.size(); ++i)
                if (Like(pattern, p, text, i)) return true;
            return false;
        }
        if (t >= text.size()) return false;
        if (pc == '_') {
            ++p;
            ++t;
            continue;
        }
        if (pc == '[') {
            bool matched = false;
            const std::size_t next = MatchClass(pattern, p, text[t], matched);
            if (next != std::string::npos) {
                if (!matched) return false;
                p = next;
                ++t;
                continue;
            }
        }
        if (UpperChar(pc) != UpperChar(text[t])) return false;
        ++p;
        ++t;
    }
    return t == text.size();
}

void PatIndexFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int64(context, PatIndex(ArgumentBytes(args[0]), ArgumentBytes(args[1])));
}

void GetDateFunction(sqlite3_context* context, int, sqlite3_value**)
{
    const std::string text = IsoDateTimeText(Now());
    sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void IsNullFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    sqlite3_result_value(context, sqlite3_value_type(args[0]) == SQLITE_NULL ? args[1] : args[0]);
}

void LenFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    sqlite3_result_int64(context, static_cast<long long>(TrimRight(ArgumentBytes(args[0])).size()));
}

void DataLengthFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    sqlite3_result_int64(context, sqlite3_value_bytes(args[0]));
}

void ScopeIdentityFunction(sqlite3_context* context, int, sqlite3_value**)
{
    sqlite3_result_int64(context, sqlite3_last_insert_rowid(sqlite3_context_db_handle(context)));
}

int CompareDates(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const std::string textA(static_cast<const char*>(a), static_cast<std::size_t>(lengthA));
    const std::string textB(static_cast<const char*>(b), static_cast<std::size_t>(lengthB));
    TDateTime valueA = 0;
    TDateTime valueB = 0;
    if (TryIsoDateTime(textA, valueA) && TryIsoDateTime(textB, valueB)) {
        const double difference = valueA - valueB;
        if (difference > 1e-9) return 1;
        if (difference < -1e-9) return -1;
        return 0;
    }
    return textA.compare(textB);
}

} // namespace

long long PatIndex(const std::string& pattern, const std::string& text)
{
    if (pattern.empty()) return 0;
    const bool floating = pattern.front() == '%';
    const std::string rest = floating ? pattern.substr(pattern.find_first_not_of('%') == std::string::npos
                                                           ? pattern.size()
                                                           : pattern.find_first_not_of('%'))
                                      : pattern;
    if (rest.empty()) return text.empty() ? 0 : 1;
    for (std::size_t start = 0; start <= (floating ? text.size() : 0); ++start)
        if (Like(rest, 0, text, start)) return static_cast<long long>(start) + 1;
    return 0;
}

void RegisterSqlFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8;
    sqlite3_create_function(db, "PATINDEX", 2, flags | SQLITE_DETERMINISTIC, nullptr, PatIndexFunction,
                            nullptr, nullptr);
    sqlite3_create_function(db, "GETDATE", 0, flags, nullptr, GetDateFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ISNULL", 2, flags | SQLITE_DETERMINISTIC, nullptr, IsNullFunction, nullptr,
                            nullptr);
    sqlite3_create_function(db, "LEN", 1, flags | SQLITE_DETERMINISTIC, nullptr, LenFunction, nullptr,
                            nullptr);
    sqlite3_create_function(db, "DATALENGTH", 1, flags | SQLITE_DETERMINISTIC, nullptr, DataLengthFunction,
                            nullptr, nullptr);
    sqlite3_create_function(db, "SCOPE_IDENTITY", 0, flags, nullptr, ScopeIdentityFunction, nullptr, nullptr);
    sqlite3_create_collation(db, "SIMDATE", SQLITE_UTF8, nullptr, CompareDates);
}

} // namespace tarnwick::sql::sim
