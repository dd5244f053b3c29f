#pragma once

#include "platform/sql/Driver.h"

#include <sql.h>

#include <string>
#include <vector>

namespace tarnwick::sql::odbc {

// The parameters of one execution bound to the statement's "?" markers in order. The values
// live here until the statement has run, so it must outlive the execution.
class TOdbcParameters {
public:
    TOdbcParameters(SQLHSTMT statement, const std::vector<TParameter>& params);
    TOdbcParameters(const TOdbcParameters&) = delete;
    TOdbcParameters& operator=(const TOdbcParameters&) = delete;

private:
    struct TBound {
        std::u16string Text;
        TBytes Bytes;
        long long Integer = 0;
        SQLINTEGER SmallInteger = 0;
        unsigned char Bit = 0;
        double Float = 0;
        SQL_TIMESTAMP_STRUCT Timestamp = {};
        SQLLEN Indicator = 0;
    };
    std::vector<TBound> bound_;
};

} // namespace tarnwick::sql::odbc
