#include "platform/sql/Recordset.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/sql/ValueConversion.h"

#include <gtest/gtest.h>

using namespace tarnwick;
using namespace tarnwick::sql;

namespace {

TColumnInfo Column(const std::string& name, TDataType type) { return {name, type, {}, false, false}; }

TRecordset Rows(std::vector<std::vector<TValue>> rows)
{
    return TRecordset(
        TRowSet{{Column("Id", TDataType::Integer), Column("Name", TDataType::Text)}, std::move(rows)});
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& error) {
        return std::string(error.ClassName()) + ": " + error.Message();
    }
    return "no error";
}

} // namespace

TEST(Recordset, WalksForwardWithEndAndBeginningFlags)
{
    TRecordset empty = Rows({});
    EXPECT_TRUE(empty.Eof());
    EXPECT_TRUE(empty.Bof());
    EXPECT_EQ(ErrorOf([&] { empty.Fields(0).Value(); }),
              "EOleException: Either BOF or EOF is True, or the current record has been deleted. Requested "
              "operation requires a current record.");

    TRecordset rows = Rows({{1LL, std::string("a")}, {2LL, std::monostate{}}});
    EXPECT_FALSE(rows.Eof());
    EXPECT_FALSE(rows.Bof());
    EXPECT_EQ(rows.Fields("NAME").AsString(), "a");
    rows.MoveNext();
    EXPECT_EQ(rows.Fields(0).AsInteger(), 2);
    EXPECT_TRUE(rows.Fields("Name").IsNull());
    rows.MoveNext();
    EXPECT_TRUE(rows.Eof());
    EXPECT_THROW(rows.MoveNext(), EOleException);
    rows.MoveFirst();
    EXPECT_EQ(rows.Fields("Id").AsInteger(), 1);
    EXPECT_EQ(ErrorOf([&] { rows.Fields("Missing"); }),
              "EOleException: Item cannot be found in the collection corresponding to the requested name or "
              "ordinal.");
    EXPECT_THROW(rows.Fields(2), EOleException);
    EXPECT_THROW(rows.Fields(0).SetAsInteger(3), EOleException);
}

TEST(Recordset, NeverOpenedRecordsetFailsOnEveryQuestion)
{
    TRecordset closed;
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_EQ(ErrorOf([&] { closed.Eof(); }),
              "EOleException: Operation is not allowed when the object is closed.");
    EXPECT_THROW(closed.Bof(), EOleException);
    EXPECT_THROW(closed.Fields(0), EOleException);
}

TEST(Recordset, ValuesConvertAsAPersonExpects)
{
    const TDateTime date = EncodeDate(2019, 4, 6) + EncodeTime(10, 20, 30);
    struct TCase {
        TValue Value;
        std::string Text, Integer, Float, Boolean, DateTime;
    };
    const TCase cases[] = {
        {std::monostate{}, "", "0", "0", "False", "0"},
        {42LL, "42", "42", "42", "True", "42"},
        {0LL, "0", "0", "0", "False", "0"},
        {2.5, "2.5", "2", "2.5", "True", "2.5"},
        {3.5, "3.5", "4", "3.5", "True", "3.5"},
        {1e20, "1E20", "EVariantOverflowError", "1E20", "True", "1E20"},
        {true, "True", "1", "1", "True", "EConvertError"},
        {TSqlDateTime{date}, "06/04/2019 10:20:30", "43561", FloatToStr(date), "True", FloatToStr(date)},
        {std::string(" 17 "), " 17 ", "17", "17", "True", "EConvertError"},
        {std::string("abc"), "abc", "EConvertError", "EConvertError", "EConvertError", "EConvertError"},
        {std::string("true"), "true", "EConvertError", "EConvertError", "True", "EConvertError"},
        {std::string("-1"), "-1", "-1", "-1", "True", "EConvertError"},
        {std::string("2019-04-06 10:20:30"), "2019-04-06 10:20:30", "EConvertError", "EConvertError",
         "EConvertError", FloatToStr(date)},
        {std::string("06/04/2019"), "06/04/2019", "EConvertError", "EConvertError", "EConvertError",
         FloatToStr(EncodeDate(2019, 4, 6))},
        {std::string("99999999999999999999"), "99999999999999999999", "EVariantOverflowError", "1E20", "True",
         "EConvertError"},
        {TBytes{'4', '2'}, "42", "42", "42", "True", "EConvertError"},
    };
    auto attempt = [](const std::function<std::string()>& read) {
        try {
            return read();
        } catch (const Exception& error) {
            return std::string(error.ClassName());
        }
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(ValueToString(test.Value));
        TRecordset rows(TRowSet{{Column("V", TDataType::Unknown)}, {{test.Value}}});
        TField& field = rows.Fields(0);
        EXPECT_EQ(field.AsString(), test.Text);
        EXPECT_EQ(attempt([&] { return std::to_string(field.AsLargeInt()); }), test.Integer);
        EXPECT_EQ(attempt([&] { return FloatToStr(field.AsFloat()); }), test.Float);
        EXPECT_EQ(attempt([&] { return std::string(field.AsBoolean() ? "True" : "False"); }), test.Boolean);
        EXPECT_EQ(attempt([&] { return FloatToStr(field.AsDateTime()); }), test.DateTime);
    }
    TRecordset big(TRowSet{{Column("V", TDataType::Integer)}, {{5000000000LL}}});
    EXPECT_EQ(ErrorOf([&] { big.Fields(0).AsInteger(); }),
              "EVariantOverflowError: Overflow while converting variant of type (Int64) into type (Integer)");
    TRecordset text(TRowSet{{Column("V", TDataType::Text)}, {{std::string("abc")}}});
    EXPECT_EQ(ErrorOf([&] { text.Fields(0).AsInteger(); }),
              "EConvertError: 'abc' is not a valid integer value");
    EXPECT_EQ(ErrorOf([&] { text.Fields(0).AsBoolean(); }),
              "EConvertError: 'abc' is not a valid boolean value");
}
