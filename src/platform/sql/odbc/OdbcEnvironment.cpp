#include "platform/core/Exceptions.h"
#include "platform/sql/odbc/OdbcHandles.h"

#include <cstdint>

namespace tarnwick::sql::odbc {

TOdbcEnvironment::TOdbcEnvironment()
{
    // The server has to see every connection open and close as the program asks, so pooling
    // is off both process-wide (before any environment exists) and for this environment.
    const auto poolingOff = reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(SQL_CP_OFF));
    SQLSetEnvAttr(SQL_NULL_HANDLE, SQL_ATTR_CONNECTION_POOLING, poolingOff, SQL_IS_UINTEGER);
    SQLHANDLE handle = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle)))
        throw EOleException("The ODBC driver manager could not make an environment");
    handle_ = TOdbcHandle<SQL_HANDLE_ENV>(handle);
    CheckOdbc(SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION,
                            reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(SQL_OV_ODBC3)), 0),
              SQL_HANDLE_ENV, handle);
    CheckOdbc(SQLSetEnvAttr(handle, SQL_ATTR_CONNECTION_POOLING, poolingOff, SQL_IS_UINTEGER), SQL_HANDLE_ENV,
              handle);
}

std::shared_ptr<TOdbcEnvironment> TOdbcEnvironment::Instance()
{
    static const std::shared_ptr<TOdbcEnvironment> environment = std::make_shared<TOdbcEnvironment>();
    return environment;
}

} // namespace tarnwick::sql::odbc
