#include "platform/core/BoolText.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

TEST(BoolTextTest, NumbersAndTheTwoWordsConvert)
{
    const struct {
        const char* Text;
        bool Expected;
    } cases[] = {{"1", true},   {"-1", true},     {"2.5", true},    {"0.0", false},
                 {"+3", true},  {"TRUE", true},   {"true", true},   {"0", false},
                 {"-0", false}, {"False", false}, {"fAlSe", false}, {"0.001", true}};
    for (const auto& c : cases) EXPECT_EQ(StrToBool(c.Text), c.Expected) << c.Text;
}

TEST(BoolTextTest, AnythingElseIsAConversionErrorNamingTheText)
{
    for (const std::string text : {"Yes", "", "on", " 1", "1x", "T"}) {
        try {
            StrToBool(text);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + text + "' is not a valid boolean value");
        }
        bool value = true;
        EXPECT_FALSE(TryStrToBool(text, value));
    }
}

} // namespace
} // namespace tarnwick
