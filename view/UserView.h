#pragma once

#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/view/View.h"

#include <osg/Matrixd>
#include <osg/Node>
#include <osg/Quat>
#include <osg/Vec3d>
#include <osg/Vec4f>
#include <osg/ref_ptr>
#include <rapidjson/document.h>

#include <QImage>
#include <QPointer>

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

class SceneView;

namespace Vantor {

// The camera manipulator of a saved view and its pose. The trackball (type 0) uses the perspective flag,
// distance, center and rotation; the walker (type 3) the third-person flag and offset, pitch, eye and
// rotation; any other type is only remembered.
class ManipulatorState : public ViewState
{
public:
    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) override;
    bool fromJson(const rapidjson::Value& viewObject) override;
    std::string typeName() const override { return "ManipulatorState"; }

    int manipulatorType = 0;
    bool useThridpersonView = false;
    float thirdPersonOffset = 100.0f;
    float pitch = 0.0f;
    float distance = 1.0f;
    bool perpectiveCamera = true;
    osg::Vec3d eye{0.0, 0.0, 0.0};
    osg::Vec3d center{0.0, 0.0, 0.0};
    osg::Quat rotation{0.0, 0.0, 0.0, 1.0};
};

// What a saved view remembers of one model.
struct ModelView
{
    uint64_t modelId = 0;
    osg::Matrixd matrix;            // identity until read or captured
    uint32_t mask = 0xFFFFFFFFu;
    osg::ref_ptr<osg::Node> node;   // null until bound to the scene
    float transparency = 1.0f;      // the model's opacity value (1 opaque)
    osg::Vec4f color{0.0f, 0.0f, 0.0f, 0.0f};
};
using ModelViewList = std::list<ModelView>;

// Placement, visibility, colour and transparency of every model below the top model.
class ModelState : public ViewState
{
public:
    ModelState();

    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) override;
    bool fromJson(const rapidjson::Value& viewObject) override;
    std::string typeName() const override { return "ModelState"; }

    void capture();
    void apply();
    // Binds every record to the model of its id below the top model (null when there is none).
    void attachNodes();

    void setTopModel(osg::ref_ptr<osg::Node> topModel) { m_topModel = topModel; }
    osg::ref_ptr<osg::Node> getTopModel() const { return m_topModel; }
    // The records; shared with every copy of this part (a copy of the part is not a copy of the list).
    std::shared_ptr<ModelViewList> getModelViews() const { return m_records; }
    // Gives this part a list of its own holding copies of the other part's records (nodes kept).
    void copyFrom(const ModelState& other);

private:
    osg::ref_ptr<osg::Node> m_topModel;
    std::shared_ptr<ModelViewList> m_records;
};

// The thumbnail of a saved view, at most 128 by 128 pixels after a capture.
class ImageState : public ViewState
{
public:
    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) override;
    bool fromJson(const rapidjson::Value& viewObject) override;
    std::string typeName() const override { return "ImageState"; }

    QImage image;
};

// A note or measure reference (shown or hidden), or a section reference (open or closed).
struct NoteData
{
    uint64_t id = 0;
    bool visible = false;
};
struct SectionData
{
    uint64_t id = 0;
    bool opened = false;
};

// The annotations of one manager that a saved view refers to, written as an array of {"Id", "Visible"}.
template <typename Manager, typename Data>
class ReferenceState : public ViewState
{
public:
    using DataList = std::list<Data>;

    ReferenceState() : m_records(std::make_shared<DataList>()) {}

    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) override;
    bool fromJson(const rapidjson::Value& viewObject) override;

    void setManager(osg::ref_ptr<Manager> manager) { m_manager = manager; }
    osg::ref_ptr<Manager> getManager() const { return m_manager; }
    std::shared_ptr<DataList> getRecords() const { return m_records; }
    void copyFrom(const ReferenceState& other)
    {
        m_manager = other.m_manager;
        m_records = std::make_shared<DataList>(*other.m_records);
    }

protected:
    virtual const char* key() const = 0;

    osg::ref_ptr<Manager> m_manager;
    std::shared_ptr<DataList> m_records;
};

class NoteState : public ReferenceState<NoteManager, NoteData>
{
public:
    std::string typeName() const override { return "NoteState"; }
    void capture();
    // Hides every note, then shows or hides the listed ones.
    void apply();

protected:
    const char* key() const override { return "RefNotes"; }
};

class MeasureState : public ReferenceState<MeasureManager, NoteData>
{
public:
    std::string typeName() const override { return "MeasureState"; }
    void capture();
    // Hides every measure, then shows or hides the listed ones.
    void apply();

protected:
    const char* key() const override { return "RefMeasures"; }
};

class SectionState : public ReferenceState<SectionManager, SectionData>
{
public:
    std::string typeName() const override { return "SectionState"; }
    void capture();
    // Opens or closes the listed sections; the others stay as they are.
    void apply();

protected:
    const char* key() const override { return "RefSections"; }
};

// A saved view: what the user saw at one moment (camera, models, annotations, a thumbnail), restorable
// later. Travels as one object of the {"userview_list": [...]} document.
class UserView : public View
{
public:
    UserView();
    UserView(const UserView& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, UserView)

    // The views of a saved-view list document, in array order. None when the text does not parse or has
    // no "userview_list" array; elements that are not objects are skipped.
    static std::vector<osg::ref_ptr<UserView>> readList(const std::string& text);

    void setViewName(const std::string& name) { m_viewName = name; }
    void setViewRemark(const std::string& remark) { m_viewRemark = remark; }
    std::string getViewName() const { return m_viewName; }
    std::string getViewRemark() const { return m_viewRemark; }

    void setTopModel(osg::ref_ptr<osg::Node> topModel) { m_modelState.setTopModel(topModel); }
    void setNoteManager(osg::ref_ptr<NoteManager> manager) { m_noteState.setManager(manager); }
    void setMeasureManager(osg::ref_ptr<MeasureManager> manager) { m_measureState.setManager(manager); }
    void setSectionManager(osg::ref_ptr<SectionManager> manager) { m_sectionState.setManager(manager); }

    // A part holding the same top model and the same record list as this view's.
    ModelState getModelState() const { return m_modelState; }
    const ManipulatorState& getManipulatorState() const { return m_manipulatorState; }
    const QImage& getImage() const { return m_imageState.image; }
    const NoteState& getNoteState() const { return m_noteState; }
    const MeasureState& getMeasureState() const { return m_measureState; }
    const SectionState& getSectionState() const { return m_sectionState; }

    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) override;
    bool fromJson(const rapidjson::Value& object) override;
    std::string typeName() const override { return "UserView"; }
    // Id, name, scene view, camera, image and every part with lists of their own; not the remark.
    osg::ref_ptr<View> clone() override;
    // Takes what clone carries from another saved view; other views are ignored.
    void copy(osg::ref_ptr<View> other) override;
    void apply() override;
    void capture() override;

    // The view whose camera and picture are captured and applied; not owned.
    QPointer<SceneView> sceneView;

protected:
    ~UserView() override;

private:
    void copyParts(const UserView& other);

    ManipulatorState m_manipulatorState;
    ModelState m_modelState;
    ImageState m_imageState;
    NoteState m_noteState;
    MeasureState m_measureState;
    SectionState m_sectionState;
    std::string m_viewName;
    std::string m_viewRemark;
};

// The text forms of vectors, quadruples and matrices inside a saved view. Numbers are written in the C
// locale with the fewest significant digits (six or more) that read back exactly; reading accepts any
// number of digits. A text that does not hold the numbers it must leaves the value unchanged (false).
namespace ViewText {
std::string number(double value);
std::string number(float value);
std::string vectorText(const osg::Vec3d& v);
std::string quadrupleText(const osg::Quat& q);
std::string quadrupleText(const osg::Vec4f& colour);
std::string matrixText(const osg::Matrixd& m);
// Blanks removed, pieces cut at ",": at least three numbers.
bool readVector(const std::string& text, osg::Vec3d& v);
// Pieces cut at blanks: exactly four numbers (each may end in a comma). A rotation must not be zero.
bool readRotation(const std::string& text, osg::Quat& q);
bool readColour(const std::string& text, osg::Vec4f& colour);
// Blanks removed, pieces cut at ",": at least sixteen numbers, in storage order.
bool readMatrix(const std::string& text, osg::Matrixd& m);
} // namespace ViewText

} // namespace Vantor
