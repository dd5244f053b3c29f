#pragma once

#include "platform/sql/Driver.h"

#include <memory>
#include <string>

namespace tarnwick::sql::odbc {

// The ODBC driver name used when none is given: TARNWICK_ODBC_DRIVER when set, else
// "FreeTDS" as Debian's tdsodbc package registers it. A library path works as well.
std::string DefaultOdbcDriverName();

// The production driver: sessions on a real SQL Server through unixODBC. Start-up installs it
// as the process's driver.
std::shared_ptr<IDriver> MakeOdbcDriver(std::string driverName = DefaultOdbcDriverName());

} // namespace tarnwick::sql::odbc
