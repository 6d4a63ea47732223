#pragma once

#include <osg/Vec3d>
#include <osg/Vec4>
#include <osg/Vec4d>
#include <rapidjson/document.h>

#include <string>
#include <vector>

namespace Vantor {

// Small rapidjson helpers shared by the annotation libraries. Readers never throw and never assert: a
// member of the wrong kind reads as absent.
namespace JsonUtil {

rapidjson::Value string(const std::string& text, rapidjson::Document::AllocatorType& allocator);
rapidjson::Value vec3(const osg::Vec3d& v, rapidjson::Document::AllocatorType& allocator);
rapidjson::Value vec4(const osg::Vec4& v, rapidjson::Document::AllocatorType& allocator);
rapidjson::Value vec4d(const osg::Vec4d& v, rapidjson::Document::AllocatorType& allocator);
rapidjson::Value points(const std::vector<osg::Vec3d>& list, rapidjson::Document::AllocatorType& allocator);

std::string getString(const rapidjson::Value& object, const char* key, const std::string& fallback = std::string());
bool getBool(const rapidjson::Value& object, const char* key, bool fallback);
double getDouble(const rapidjson::Value& object, const char* key, double fallback);
int getInt(const rapidjson::Value& object, const char* key, int fallback);
// Each returns false and leaves the output as it was when the member is missing or malformed.
bool getVec3(const rapidjson::Value& object, const char* key, osg::Vec3d& out);
bool getVec4(const rapidjson::Value& object, const char* key, osg::Vec4& out);
bool getVec4d(const rapidjson::Value& object, const char* key, osg::Vec4d& out);
bool getPoints(const rapidjson::Value& object, const char* key, std::vector<osg::Vec3d>& out);

// Parses text into the document; on failure logs "<what>: <reason> at <offset>" and returns false.
bool parse(const std::string& text, rapidjson::Document& document, const char* what);
// Finds the array member `key` of an object document; logs and returns null when it is missing.
const rapidjson::Value* listMember(const rapidjson::Document& document, const char* key, const char* what);

std::string toPrettyText(const rapidjson::Value& value);
// Writes the pretty text to the file (path bytes as given); false when the file cannot be written.
bool writeFile(const std::string& path, const rapidjson::Value& value);

} // namespace JsonUtil
} // namespace Vantor
