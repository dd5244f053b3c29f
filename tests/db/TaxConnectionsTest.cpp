#include "db/TaxConnections.h"
#include "db/TaxDatabases.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ExtractDataSourceTest, TakesTheValueAfterTheFirstDataSourceKey)
{
    struct TCase {
        const char* ConnectionString;
        const char* Expected;
    };
    const TCase cases[] = {
        {"", ""},
        {"Provider=SQLOLEDB.1;User ID=TaxSoft;Initial Catalog=TaxMaster;", ""},
        {"data source=SRV01;", ""},
        {"Initial Catalog=TaxMaster;Data Source = SRV01 ;Application Name=Tax Utility;", "SRV01"},
        {"Provider=SQLOLEDB.1;Initial Catalog=TaxMaster;Data Source=SRV01", "SRV01"},
        {"Data Source=\tSRV01\\TAX\r\n;OLE DB Services=-2;", "SRV01\\TAX"},
        {"Data Source=;Application Name=x;", ""},
        {"Data Source SRV01;", "SRV01"},
        {"Data Source=A;Data Source=B;", "A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractDataSource(c.ConnectionString), c.Expected) << c.ConnectionString;
}

TEST(DatasetDatabaseNameTest, PlainDecimalAfterTaxData)
{
    EXPECT_EQ(DatasetDatabaseName(7), "TaxData7");
    EXPECT_EQ(DatasetDatabaseName(12), "TaxData12");
    EXPECT_EQ(DatasetDatabaseName(0), "TaxData0");
    EXPECT_EQ(DatasetDatabaseName(-3), "TaxData-3");
}

} // namespace
} // namespace tarnwick
