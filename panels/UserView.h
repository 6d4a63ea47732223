#pragma once

// Least form of the saved view until the view panel's own class replaces it: it keeps the JSON
// object it was read from and writes it back unchanged, so saved views survive a load and a save.

#include "vantor/view/View.h"

#include <rapidjson/document.h>

namespace Vantor {

class UserView : public View
{
public:
    UserView() { m_json.SetObject(); }
    UserView(const UserView& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY) : View(other, copyop)
    {
        m_json.CopyFrom(other.m_json, m_json.GetAllocator());
    }
    META_Node(Vantor, UserView)

    bool fromJson(const rapidjson::Value& object) override
    {
        if (!object.IsObject())
            return false;
        m_json.CopyFrom(object, m_json.GetAllocator());
        return View::fromJson(object);
    }

    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) override
    {
        rapidjson::Value object(m_json, allocator);
        return object;
    }

    std::string typeName() const override { return "UserView"; }

    osg::ref_ptr<View> clone() override { return new UserView(*this); }

    void copy(osg::ref_ptr<View> other) override
    {
        View::copy(other);
        if (auto* view = dynamic_cast<UserView*>(other.get()))
            m_json.CopyFrom(view->m_json, m_json.GetAllocator());
    }

    // The object the view was read from.
    const rapidjson::Value& json() const { return m_json; }

protected:
    ~UserView() override = default;

private:
    rapidjson::Document m_json;
};

} // namespace Vantor
