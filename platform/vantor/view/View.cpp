#include "vantor/view/View.h"

namespace Vantor {

View::View() = default;

View::View(const View& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
    , m_viewId(other.m_viewId)
{
}

View::~View() = default;

rapidjson::Value View::toJson(rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value object(rapidjson::kObjectType);
    object.AddMember("ViewID", rapidjson::Value(int64_t(m_viewId)), allocator);
    return object;
}

bool View::fromJson(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return false;
    auto id = object.FindMember("ViewID");
    if (id != object.MemberEnd() && id->value.IsInt64())
        m_viewId = id->value.GetInt64();
    return true;
}

osg::ref_ptr<View> View::clone()
{
    osg::ref_ptr<View> view = new View;
    view->m_viewId = m_viewId;
    return view;
}

void View::copy(osg::ref_ptr<View> other)
{
    if (other)
        m_viewId = other->m_viewId;
}

} // namespace Vantor
