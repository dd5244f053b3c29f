#include "db/TaxDatabases.h"

#include "platform/core/Format.h"

namespace tarnwick {

std::string DatasetDatabaseName(int dataNumber) { return Format("TaxData%d", {dataNumber}); }

} // namespace tarnwick
