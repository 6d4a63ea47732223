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

// Zeros written with an exponent are zeros (the exact reader of rapidjson 1.1 made 0e100 about -2e146).
TEST(JsonParse, ZerosWithAnExponentReadAsZero)
{
    for (const char* text : {"[0e100]", "[0e-100]", "[-0E+300]", "[0.000e5]", "[0.0E-7]"})
        EXPECT_EQ(firstNumber(text), 0.0) << text;
}

// Everything else keeps the exact reader: numbers come back bit for bit.
TEST(JsonParse, OtherNumbersAreReadExactly)
{
    EXPECT_EQ(firstNumber("[0.30000000000000004]"), 0.30000000000000004);
    EXPECT_EQ(firstNumber("[1.7976931348623157e308]"), 1.7976931348623157e308);
    EXPECT_EQ(firstNumber("[2.2250738585072014e-308]"), 2.2250738585072014e-308);
    EXPECT_EQ(firstNumber("[10e2, 0]"), 1000.0);
    EXPECT_FALSE(Vantor::HasZeroWithExponent("{\"a\": 10e2, \"b\": 0.5}", 20));
    EXPECT_TRUE(Vantor::HasZeroWithExponent("[1, 00e3]", 9));
}
