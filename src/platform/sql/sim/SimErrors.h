#pragma once

#include <string>
#include <string_view>

// SQL Server's own wording of the failures the simulator reproduces (as the client shows
// them, without the provider's bracketed prefixes).
namespace tarnwick::sql::sim {

inline std::string Quoted(std::string_view left, std::string_view value, std::string_view right)
{
    return std::string(left) + std::string(value) + std::string(right);
}

inline std::string ServerNotFoundText() { return "SQL Server does not exist or access denied."; }
inline std::string ServerPausedText()
{
    return "SQL Server service has been paused. No new connections will be allowed. To resume the service, "
           "use "
           "SQL Computer Manager or the Services application in Control Panel.";
}
inline std::string LoginTimeoutText() { return "Login timeout expired"; }
inline std::string QueryTimeoutText() { return "Query timeout expired"; }
inline std::string NetworkErrorText() { return "General network error. Check your network documentation."; }
inline std::string LoginFailedText(std::string_view login)
{
    return Quoted("Login failed for user '", login, "'.");
}
inline std::string CannotOpenDatabaseText(std::string_view database)
{
    return Quoted("Cannot open database \"", database, "\" requested by the login. The login failed.");
}
inline std::string DatabaseMissingText(std::string_view database)
{
    return Quoted("Database '", database, "' does not exist. Make sure that the name is entered correctly.");
}
inline std::string InvalidObjectText(std::string_view name)
{
    return Quoted("Invalid object name '", name, "'.");
}
inline std::string InvalidColumnText(std::string_view name)
{
    return Quoted("Invalid column name '", name, "'.");
}
inline std::string SyntaxErrorText(std::string_view near)
{
    return Quoted("Incorrect syntax near '", near, "'.");
}
inline std::string UnclosedQuoteText(std::string_view text)
{
    return Quoted("Unclosed quotation mark after the character string '", text, "'.");
}
inline std::string ReadOnlyDatabaseText(std::string_view database)
{
    return Quoted("Failed to update database \"", database, "\" because the database is read-only.");
}
inline std::string NoProcedureText(std::string_view name)
{
    return Quoted("Could not find stored procedure '", name, "'.");
}
inline std::string PermissionDeniedText(std::string_view object)
{
    return Quoted("The EXECUTE permission was denied on the object '", object,
                  "', database 'mssqlsystemresource', schema 'sys'.");
}

} // namespace tarnwick::sql::sim
