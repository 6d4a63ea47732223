#pragma once

// Helpers shared by the annotation tests: compact JSON texts of a value, and writing or reading an
// object through its untyped JSON operations.

#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <string>

namespace pmi_test {

inline std::string str(const rapidjson::Value& v)
{
    rapidjson::StringBuffer sb;
    rapidjson::Writer<rapidjson::StringBuffer> w(sb);
    EXPECT_TRUE(v.Accept(w)) << "the writer stopped: a value was not representable";
    return sb.GetString();
}

template <class T>
std::string write(T& object)
{
    rapidjson::Document doc;
    rapidjson::Value v;
    EXPECT_EQ(object.ToJson(&v, &doc), 0);
    return str(v);
}

// Reads text into object; returns the reader's status.
template <class T>
int read(T& object, const std::string& text)
{
    rapidjson::Document doc;
    doc.Parse(text.c_str());
    EXPECT_FALSE(doc.HasParseError()) << text;
    return object.FromJson(&doc, &doc);
}

// Replaces each '~' with the zero point text and each '^' with the zero box text.
inline std::string golden(const std::string& templ)
{
    std::string out;
    for (char c : templ) {
        if (c == '~')
            out += "\"0.000 0.000 0.000\"";
        else if (c == '^')
            out += "\"0.000 0.000 0.000,0.000 0.000 0.000\"";
        else
            out += c;
    }
    return out;
}

} // namespace pmi_test
