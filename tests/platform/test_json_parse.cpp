#include "vantor/util/JsonParse.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

rapidjson::Document parsed(const char* text)
{
    rapidjson::Document doc;
    Vantor::ParseJsonExact<rapidjson::kParseIterativeFlag>(doc, text, std::strlen(text));
    return doc;
}

double firstNumber(const char* text)
{
    const rapidjson::Document doc = parsed(text);
    EXPECT_FALSE(doc.HasParseError()) << text;
    return doc.HasParseError() || !doc.IsArray() || !doc[0].IsNumber() ? -1.0 : doc[0].GetDouble();
}

} // namespace

// Numbers come back bit for bit, including those rapidjson 1.1's exact reader got wrong: zeros with
// an exponent or many digits (0e100 read as about -2e146), significands beyond 64 bits
// (184467440737095516155 read as about 1.7e-18), and the last bit of 1e-21.
TEST(JsonParse, NumbersReadExactly)
{
    struct Case
    {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"[0e100]", 0.0},
        {"[-0E+300]", 0.0},
        {"[0.0E-7]", 0.0},
        {"[0.0000000000000000000000000000]", 0.0},
        {"[0.0000000000000000000000.000018446744073709551615]", -1.0}, // two points: an error
        {"[0.30000000000000004]", 0.30000000000000004},
        {"[1.7976931348623157e308]", 1.7976931348623157e308},
        {"[2.2250738585072014e-308]", 2.2250738585072014e-308},
        {"[4.9406564584124654e-324]", 4.9406564584124654e-324},
        {"[10e2, 0]", 1000.0},
        {"[0.000000000000000000000000000001]", 1e-30},
        {"[0.000000000000000000001]", 1e-21},
        {"[184467440737095516155]", 184467440737095516155.0},
        {"[0.000184467440737095516155]", 0.000184467440737095516155},
        {"[1.84467440737095516155]", 1.84467440737095516155},
        {"[-123.456e-7]", -123.456e-7},
    };
    for (const Case& c : cases) {
        const rapidjson::Document doc = parsed(c.text);
        if (c.value == -1.0) {
            EXPECT_TRUE(doc.HasParseError()) << c.text;
            continue;
        }
        EXPECT_EQ(firstNumber(c.text), c.value) << c.text;
    }
}

// Integers keep the types rapidjson gives them; a number beyond double's range is the error rapidjson
// reports; the process locale (a decimal comma) does not change what is read.
TEST(JsonParse, IntegersErrorsAndLocale)
{
    const rapidjson::Document doc = parsed("[1, -1, 4294967295, 4294967296, -2147483649, 18446744073709551615, "
                                           "18446744073709551616, -0, true, null, \"7\", {\"k\": 2.5}]");
    ASSERT_FALSE(doc.HasParseError());
    EXPECT_TRUE(doc[0].IsInt() && doc[0].GetInt() == 1);
    EXPECT_TRUE(doc[1].IsInt() && doc[1].GetInt() == -1);
    EXPECT_TRUE(doc[2].IsUint() && !doc[2].IsInt() && doc[2].GetUint() == 4294967295u);
    EXPECT_TRUE(doc[3].IsUint64() && !doc[3].IsUint() && doc[3].GetUint64() == 4294967296ull);
    EXPECT_TRUE(doc[4].IsInt64() && !doc[4].IsInt() && doc[4].GetInt64() == -2147483649ll);
    EXPECT_TRUE(doc[5].IsUint64() && doc[5].GetUint64() == std::numeric_limits<std::uint64_t>::max());
    EXPECT_TRUE(doc[6].IsDouble() && doc[6].GetDouble() == 18446744073709551616.0);
    EXPECT_TRUE(doc[7].IsInt() && doc[7].GetInt() == 0);
    EXPECT_TRUE(doc[8].IsTrue());
    EXPECT_TRUE(doc[9].IsNull());
    EXPECT_TRUE(doc[10].IsString());
    EXPECT_EQ(doc[11]["k"].GetDouble(), 2.5);

    const rapidjson::Document huge = parsed("[1e400]");
    EXPECT_TRUE(huge.HasParseError());
    EXPECT_EQ(huge.GetParseError(), rapidjson::kParseErrorNumberTooBig);
    EXPECT_TRUE(parsed("[1, ]").HasParseError());
    EXPECT_TRUE(parsed("[1] 2").HasParseError());

    // A document read again after an error carries only the new text's result.
    rapidjson::Document reused;
    Vantor::ParseJsonExact<0>(reused, "[", 1);
    ASSERT_TRUE(reused.HasParseError());
    Vantor::ParseJsonExact<0>(reused, "[2.5]", 5);
    ASSERT_FALSE(reused.HasParseError());
    EXPECT_EQ(reused[0].GetDouble(), 2.5);

    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_EQ(firstNumber("[0.5]"), 0.5);
        std::setlocale(LC_NUMERIC, saved.c_str());
    }
}
