#include "vantor/util/JsonParse.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

double firstNumber(const char* text)
{
    rapidjson::Document doc;
    Vantor::ParseJsonExact<rapidjson::kParseIterativeFlag>(doc, text, std::strlen(text));
    EXPECT_FALSE(doc.HasParseError()) << text;
    return doc.HasParseError() ? -1.0 : doc[0].GetDouble();
}

} // namespace

// Zeros with an exponent or many digits are zeros (the exact reader of rapidjson 1.1 made 0e100 about
// -2e146 and a zero with thirty decimals about -1e-197).
TEST(JsonParse, AwkwardZerosReadAsZero)
{
    for (const char* text : {"[0e100]", "[0e-100]", "[-0E+300]", "[0.000e5]", "[0.0E-7]",
                             "[0.0000000000000000000000000000]", "[-0.00000000000000000000]"})
        EXPECT_EQ(firstNumber(text), 0.0) << text;
}

// Everything else keeps the exact reader: numbers come back bit for bit.
TEST(JsonParse, OtherNumbersAreReadExactly)
{
    EXPECT_EQ(firstNumber("[0.30000000000000004]"), 0.30000000000000004);
    EXPECT_EQ(firstNumber("[1.7976931348623157e308]"), 1.7976931348623157e308);
    EXPECT_EQ(firstNumber("[2.2250738585072014e-308]"), 2.2250738585072014e-308);
    EXPECT_EQ(firstNumber("[10e2, 0]"), 1000.0);
    EXPECT_EQ(firstNumber("[0.000000000000000000000000000001]"), 1e-30);
    EXPECT_FALSE(Vantor::HasZeroTheExactReaderMisreads("{\"a\": 10e2, \"b\": 0.5, \"c\": 0.0}", 30));
    EXPECT_TRUE(Vantor::HasZeroTheExactReaderMisreads("[1, 00e3]", 9));
    // A second point ends the number: its all-zero first part is what the reader reads.
    const char* twoPoints = "[0.0000000000000000000000.000018446744073709551615]";
    EXPECT_TRUE(Vantor::HasZeroTheExactReaderMisreads(twoPoints, std::strlen(twoPoints)));
}
