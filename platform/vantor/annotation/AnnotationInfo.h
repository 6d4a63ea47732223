#pragma once

#include <rapidjson/document.h>

#include <cstdint>
#include <map>
#include <string>

namespace Vantor {

// What every note, measure and section carries besides its drawing: its id, the groups it is filed under
// (group number to name, bytes in the local 8-bit encoding) and its collaboration attributes (text keys to
// text values).
class AnnotationInfo
{
public:
    AnnotationInfo();
    virtual ~AnnotationInfo() = default;

    uint64_t getId() const { return m_id; }
    void setId(uint64_t id);

    std::map<int, std::string> getGroup() const { return m_groups; }
    void setGroup(int number, std::string name) { m_groups[number] = std::move(name); }
    void clearGroup() { m_groups.clear(); }

    std::map<std::string, std::string> CoordinationUserData() const { return m_coordination; }
    void CoordinationUserData(std::map<std::string, std::string> data) { m_coordination = std::move(data); }

protected:
    // JSON members shared by every kind: "Id", "Groups", "Coordination".
    void writeInfo(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const;
    // Reads what is present and well formed; a missing or damaged "Id" leaves the id as it is.
    void readInfo(const rapidjson::Value& object);

private:
    uint64_t m_id;
    std::map<int, std::string> m_groups;
    std::map<std::string, std::string> m_coordination;
};

} // namespace Vantor
