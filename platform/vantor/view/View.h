#pragma once

#include <osg/Group>
#include <osg/ref_ptr>
#include <rapidjson/document.h>

#include <cstdint>
#include <string>

namespace Vantor {

// A saved view: a scene node that carries the view's 64-bit id. The program's saved view derives from it
// and overrides the JSON, type-name, clone, copy, apply and capture operations; this base writes and
// reads only its id and captures and applies nothing.
class View : public osg::Group
{
public:
    View();
    View(const View& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, View)

    int64_t getViewID() const { return m_viewId; }
    void setViewID(int64_t id) { m_viewId = id; }

    // The view's JSON object ({"ViewID": id} for this base).
    virtual rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator);
    virtual bool fromJson(const rapidjson::Value& object);
    virtual std::string typeName() const { return "View"; }
    virtual osg::ref_ptr<View> clone();
    virtual void copy(osg::ref_ptr<View> other);
    virtual void apply() {}
    virtual void capture() {}

protected:
    ~View() override;

    int64_t m_viewId = 0;
};

// Base of a saved view's parts (camera, models, picture, references).
class ViewState
{
public:
    virtual ~ViewState() = default;
    // The part's JSON value, made with the document's allocator.
    virtual rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) = 0;
    // Reads the part from the whole saved-view object (each part looks up its own key).
    virtual bool fromJson(const rapidjson::Value& viewObject) = 0;
    virtual std::string typeName() const = 0;
};

} // namespace Vantor
