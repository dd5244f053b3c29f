#include "platform/sql/odbc/OdbcDiagnostics.h"

#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"

#include <sqlext.h>

#include <string>

namespace tarnwick::sql::odbc {

std::vector<TOdbcDiagnostic> ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle)
{
    std::vector<TOdbcDiagnostic> records;
    for (SQLSMALLINT number = 1;; ++number) {
        SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER nativeError = 0;
        std::u16string text(SQL_MAX_MESSAGE_LENGTH, u'\0');
        SQLSMALLINT length = 0;
        auto read = [&] {
            return SQLGetDiagRecW(handleType, handle, number, state, &nativeError,
                                  reinterpret_cast<SQLWCHAR*>(text.data()),
                                  static_cast<SQLSMALLINT>(text.size()), &length);
        };
        SQLRETURN result = read();
        if (result == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(text.size())) {
            text.assign(static_cast<std::size_t>(length) + 1, u'\0');
            result = read();
        }
        if (!SQL_SUCCEEDED(result)) break;
        text.resize(std::min<std::size_t>(static_cast<std::size_t>(length), text.size()));
        records.push_back({AnsiFromUtf16(reinterpret_cast<const char16_t*>(state)), AnsiFromUtf16(text)});
    }
    return records;
}

void RaiseOdbcError(SQLSMALLINT handleType, SQLHANDLE handle)
{
    throw EOleException(OdbcErrorMessage(ReadDiagnostics(handleType, handle)));
}

void CheckOdbc(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle)
{
    if (result == SQL_INVALID_HANDLE) throw EOleException("Invalid ODBC handle");
    if (result == SQL_ERROR) RaiseOdbcError(handleType, handle);
}

} // namespace tarnwick::sql::odbc
