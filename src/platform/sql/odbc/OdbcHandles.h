#pragma once

#include "platform/sql/odbc/OdbcDiagnostics.h"

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <utility>

namespace tarnwick::sql::odbc {

// Owns one ODBC handle of the given type and frees it on every path.
template <SQLSMALLINT HandleType> class TOdbcHandle {
public:
    TOdbcHandle() = default;
    explicit TOdbcHandle(SQLHANDLE handle) : handle_(handle) {}
    ~TOdbcHandle()
    {
        if (handle_ != nullptr) SQLFreeHandle(HandleType, handle_);
    }
    TOdbcHandle(TOdbcHandle&& other) noexcept : handle_(std::exchange(other.handle_, SQLHANDLE{})) {}
    TOdbcHandle& operator=(TOdbcHandle&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    TOdbcHandle(const TOdbcHandle&) = delete;
    TOdbcHandle& operator=(const TOdbcHandle&) = delete;

    SQLHANDLE Get() const { return handle_; }

private:
    SQLHANDLE handle_ = nullptr;
};

// The process's one ODBC environment (ODBC 3 behaviour, no connection pooling). Sessions hold
// it so it outlives every connection made in it.
class TOdbcEnvironment {
public:
    static std::shared_ptr<TOdbcEnvironment> Instance();
    TOdbcEnvironment();
    SQLHENV Handle() const { return handle_.Get(); }

private:
    TOdbcHandle<SQL_HANDLE_ENV> handle_;
};

// Allocates a child handle (connection of an environment, statement of a connection),
// raising the parent's error when it cannot.
template <SQLSMALLINT HandleType>
TOdbcHandle<HandleType> AllocateHandle(SQLSMALLINT parentType, SQLHANDLE parent)
{
    SQLHANDLE handle = SQL_NULL_HANDLE;
    CheckOdbc(SQLAllocHandle(HandleType, parent, &handle), parentType, parent);
    return TOdbcHandle<HandleType>(handle);
}

} // namespace tarnwick::sql::odbc
