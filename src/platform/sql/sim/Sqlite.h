#pragma once

#include "platform/sql/Driver.h"

#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Thin RAII over SQLite for the simulator: one open database file and its statements.
namespace tarnwick::sql::sim {

class TSqliteStatement;

class TSqliteDb {
public:
    // Opens (creating when asked) the file with a busy timeout and write-ahead logging, so
    // several sessions and processes share it; registers the simulator's functions.
    TSqliteDb(const std::filesystem::path& file, bool create);
    ~TSqliteDb();
    TSqliteDb(const TSqliteDb&) = delete;
    TSqliteDb& operator=(const TSqliteDb&) = delete;

    sqlite3* Handle() const { return db_; }
    // Runs statements that take no parameters and return nothing of interest.
    void Exec(const std::string& sql);
    long long Changes() const;
    long long LastInsertId() const;
    std::string ErrorText() const;

private:
    sqlite3* db_ = nullptr;
};

class TSqliteStatement {
public:
    TSqliteStatement(TSqliteDb& db, const std::string& sql);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    int ParameterCount() const;
    void Bind(int index, const TParameter& parameter); // index from 1
    void BindText(int index, const std::string& text);
    void BindInt(int index, long long value);
    // Steps once: true when a row is ready.
    bool Step();
    int ColumnCount() const;
    bool ReadOnly() const;
    sqlite3_stmt* Handle() const { return statement_; }
    std::string ColumnText(int column) const;
    long long ColumnInt(int column) const;
    bool ColumnIsNull(int column) const;

private:
    TSqliteDb& db_;
    sqlite3_stmt* statement_ = nullptr;
};

// The text of a failing SQLite call, raised as an error the session turns into the
// server's wording.
class ESqliteError : public std::exception {
public:
    explicit ESqliteError(std::string message, int code = 0) : message_(std::move(message)), code_(code) {}
    const char* what() const noexcept override { return message_.c_str(); }
    int Code() const { return code_; }

private:
    std::string message_;
    int code_;
};

} // namespace tarnwick::sql::sim
