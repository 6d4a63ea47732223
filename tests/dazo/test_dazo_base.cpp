#include "LocaleSupport.h"

#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_Object.h"
#include "dazo/Vantor_Text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <thread>

using namespace VantorSoft;

TEST(DazoText, SplitStringPieces)
{
    struct Case {
        const char* text;
        const char* delimiter;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"a  b", " ", {"a", "", "b"}},
        {"a b ", " ", {"a", "b"}},
        {" a", " ", {"", "a"}},
        {"", " ", {}},
        {"a, b,, c", ", ", {"a", "b,", "c"}},
        {"abc", "", {"abc"}}, // an empty delimiter must not loop forever
    };
    for (const Case& c : cases) {
        std::vector<std::string> out{"kept"};
        SplitString(c.text, c.delimiter, out);
        std::vector<std::string> expected{"kept"};
        expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
        EXPECT_EQ(out, expected) << "text '" << c.text << "' delimiter '" << c.delimiter << "'";
    }
}

TEST(DazoText, ParsePointText)
{
    struct Case {
        const char* text;
        float x, y, z;
    };
    const Case cases[] = {
        {"1.5 -2 3e2", 1.5f, -2.0f, 300.0f},
        {"1 x 3", 1.0f, 0.0f, 3.0f},
        {"1 2", 0, 0, 0},
        {"1 2 3 4", 0, 0, 0},
        {"1  2 3", 0, 0, 0}, // two blanks make four pieces
        {"", 0, 0, 0},
        {"7abc 0.25 -0", 7.0f, 0.25f, 0.0f},
        {"1e999 2 3", __builtin_huge_valf(), 2.0f, 3.0f}, // saturates instead of an undefined cast
    };
    for (const Case& c : cases) {
        const Vantor_PNT32 p = ParsePointText(c.text);
        EXPECT_EQ(p.x, c.x) << c.text;
        EXPECT_EQ(p.y, c.y) << c.text;
        EXPECT_EQ(p.z, c.z) << c.text;
    }
}

TEST(DazoText, NumberTextIgnoresCommaDecimalLocale)
{
    dazo_test::LocaleGuard guard;
    if (!dazo_test::useLocale(LC_ALL, "de_DE.UTF-8", "de_DE", "UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale can be made here";
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%.3f", 1.5);
    ASSERT_STREQ(buf, "1,500") << "the locale is not active, the test would prove nothing";

    EXPECT_EQ(FormatFixed3(1.5), "1.500");
    EXPECT_EQ(PointText(1.5f, -0.25f, 1000.0f), "1.500 -0.250 1000.000");
    EXPECT_DOUBLE_EQ(TextToDouble("1.5"), 1.5);
    const Vantor_PNT32 p = ParsePointText(PointText(1.5f, -2.125f, 3.0f));
    EXPECT_EQ(p.x, 1.5f);
    EXPECT_EQ(p.y, -2.125f);
    EXPECT_EQ(p.z, 3.0f);
}

TEST(DazoText, FormatFixed3MatchesPrintf)
{
    for (double v : {0.0, -0.0, 0.0005, 0.0015, 2.5, -123456.789, 1e20}) {
        char buf[64];
        std::snprintf(buf, sizeof(buf), "%.3f", v);
        EXPECT_EQ(FormatFixed3(v), buf) << v;
    }
    EXPECT_EQ(ColorText(Vantor_RGBA{-1, 0, 255, 128}), "-1 0 255 128");
    EXPECT_EQ(IdText(0), "0");
    EXPECT_EQ(IdText(18446744073709551615ULL), "18446744073709551615");
    EXPECT_EQ(IdFromText("18446744073709551615"), 18446744073709551615ULL);
    EXPECT_EQ(IdFromText("-1"), 0u);
    EXPECT_EQ(IdFromText("12x"), 0u);
}

TEST(DazoText, Utf8AndWideRoundTrip)
{
    // Latin, CJK and a character outside the BMP (needs a surrogate pair in UTF-16).
    const std::string text = "Zahnrad \xC3\xA4 \xE9\xBD\xBF\xE8\xBD\xAE \xF0\x9F\x98\x80";
    const std::wstring wide = Utf8ToWide(text.c_str());
    ASSERT_EQ(wide.size(), 14u);
    EXPECT_EQ(static_cast<unsigned>(wide[8]), 0xE4u);
    EXPECT_EQ(static_cast<unsigned>(wide[10]), 0x9F7Fu);
    EXPECT_EQ(static_cast<unsigned>(wide[13]), 0x1F600u);
    std::string back = "old";
    WideToUtf8(wide.c_str(), back);
    EXPECT_EQ(back, text);

    EXPECT_TRUE(Utf8ToWide(nullptr).empty());
    WideToUtf8(L"", back);
    EXPECT_EQ(back, "");
    back = "old";
    WideToUtf8(nullptr, back);
    EXPECT_EQ(back, "");
}

TEST(DazoText, MalformedUtf8BecomesReplacementCharacters)
{
    struct Case {
        const char* bytes;
        std::wstring wide;
    };
    const wchar_t r = 0xFFFD;
    const Case cases[] = {
        {"a\xC3", std::wstring{L'a', r}},                 // cut sequence at the end
        {"\xED\xA0\x80z", std::wstring{r, r, r, L'z'}},   // encoded surrogate
        {"\xC0\xAF", std::wstring{r, r}},                 // overlong '/'
        {"\xF4\x90\x80\x80", std::wstring{r, r, r, r}},   // above U+10FFFF
        {"\xFF", std::wstring{r}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToWide(c.bytes), c.wide) << c.bytes;
}

TEST(DazoText, AnsiToUtf8FollowsTheNarrowCharacterSet)
{
    dazo_test::LocaleGuard guard;
    EXPECT_EQ(AnsiToUtf8(nullptr), "");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(AnsiToUtf8("plain \xC3\xA4"), "plain \xC3\xA4"); // passed through, not dropped
    ASSERT_TRUE(std::setlocale(LC_ALL, "C.UTF-8"));
    EXPECT_EQ(AnsiToUtf8("\xE9\xBD\xBF"), "\xE9\xBD\xBF");

    if (!dazo_test::useLocale(LC_CTYPE, "de_DE.ISO-8859-1", "de_DE", "ISO-8859-1"))
        GTEST_SKIP() << "no Latin-1 locale can be made here";
    EXPECT_EQ(AnsiToUtf8("Ma\xDF \xE4"), "Ma\xC3\x9F \xC3\xA4");
}

TEST(DazoIds, DistinctAndNonZeroAcrossThreads)
{
    const int threads = 4;
    const int perThread = 20000;
    std::vector<std::vector<u64>> drawn(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&drawn, t, perThread] {
            for (int i = 0; i < perThread; ++i)
                drawn[t].push_back(Vantor_Object::IDCreator()->getId());
        });
    }
    for (std::thread& w : workers)
        w.join();
    std::set<u64> all;
    for (const auto& v : drawn)
        all.insert(v.begin(), v.end());
    EXPECT_EQ(all.size(), static_cast<size_t>(threads * perThread));
    EXPECT_EQ(all.count(0), 0u);
    EXPECT_EQ(Vantor_Object::IDCreator(), Vantor_Object::IDCreator());
}

TEST(DazoIds, ObjectsDrawIdsAndCopiesKeepThem)
{
    Vantor_Document a;
    Vantor_Document b;
    EXPECT_NE(a.Id(), 0u);
    EXPECT_NE(a.Id(), b.Id());
    Vantor_Document copy(a);
    EXPECT_EQ(copy.Id(), a.Id());
    b = a;
    EXPECT_EQ(b.Id(), a.Id());
    a.Id(42);
    EXPECT_EQ(a.Id(), 42u);

    const Vantor_MTX32 m;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
}
