#include "view/UserView.h"

#include "common/Language.h"
#include "view/SceneView.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"
#include "vantor/util/StrUtil.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace Vantor {

namespace {

// Thumbnails are 128 pixels; anything far larger in a file is damage, not a picture worth decoding.
const int MaxStoredImageSide = 4096;
const int ThumbnailSide = 128;
// Most pixels one stored byte can stand for: deflate packs at most about 1032 to 1, and a pixel may
// take a single bit. A picture claiming more than its bytes can hold is refused before it is decoded.
const qint64 MaxPixelsPerByte = 8 * 1032;

rapidjson::Value stringValue(const std::string& text, rapidjson::Document::AllocatorType& allocator)
{
    return rapidjson::Value(text.data(), rapidjson::SizeType(text.size()), allocator);
}

// JSON has no NaN or infinity, and a writer meeting one fails the whole document.
rapidjson::Value numberValue(double value)
{
    return rapidjson::Value(std::isfinite(value) ? value : 0.0);
}

const rapidjson::Value* member(const rapidjson::Value& object, const char* key)
{
    if (!object.IsObject())
        return nullptr;
    auto it = object.FindMember(key);
    return it == object.MemberEnd() ? nullptr : &it->value;
}

// A JSON number narrowed to a finite float; false leaves the target as it is.
bool readFloat(const rapidjson::Value* value, float& target)
{
    if (!value || !value->IsNumber())
        return false;
    const float f = float(value->GetDouble());
    if (!std::isfinite(f))
        return false;
    target = f;
    return true;
}

bool readBool(const rapidjson::Value* value, bool& target)
{
    if (!value || !value->IsBool())
        return false;
    target = value->GetBool();
    return true;
}

const std::string* readText(const rapidjson::Value* value, std::string& buffer)
{
    if (!value || !value->IsString())
        return nullptr;
    buffer.assign(value->GetString(), value->GetStringLength());
    return &buffer;
}

// Leading decimal digits of a model key; 0 when there are none or they overflow 64 bits.
uint64_t modelIdOfKey(const char* key, rapidjson::SizeType length)
{
    uint64_t id = 0;
    for (rapidjson::SizeType i = 0; i < length && key[i] >= '0' && key[i] <= '9'; ++i) {
        const unsigned digit = unsigned(key[i] - '0');
        if (id > (std::numeric_limits<uint64_t>::max() - digit) / 10)
            return 0;
        id = id * 10 + digit;
    }
    return id;
}

bool readNumber(const std::string& piece, double& value)
{
    std::istringstream in(piece);
    in.imbue(std::locale::classic());
    double v = 0.0;
    if (!(in >> v) || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

std::vector<std::string> commaPieces(const std::string& text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            compact.push_back(c);
    }
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    for (;;) {
        const auto comma = compact.find(',', start);
        pieces.push_back(compact.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return pieces;
}

bool readNumbers(const std::vector<std::string>& pieces, std::size_t count, double* values)
{
    if (pieces.size() < count)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!readNumber(pieces[i], values[i]))
            return false;
    }
    return true;
}

bool readQuadruple(const std::string& text, double values[4])
{
    const std::vector<std::string> pieces = StrUtil::Split(text, " ");
    return pieces.size() == 4 && readNumbers(pieces, 4, values);
}

template <typename T>
std::string shortestText(T value, int maxDigits)
{
    if (!std::isfinite(value))
        return "0";
    std::string text;
    for (int digits = 6; digits <= maxDigits; ++digits) {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out.precision(digits);
        out << double(value);
        text = out.str();
        double back = 0.0;
        if (readNumber(text, back) && T(back) == value)
            break;
    }
    return text;
}

bool flagOf(const NoteData& data) { return data.visible; }
bool flagOf(const SectionData& data) { return data.opened; }
template <typename Data> Data makeData(uint64_t id, bool flag);
template <> NoteData makeData<NoteData>(uint64_t id, bool flag) { return NoteData{id, flag}; }
template <> SectionData makeData<SectionData>(uint64_t id, bool flag) { return SectionData{id, flag}; }

} // namespace

// ---------------------------------------------------------------- text forms

namespace ViewText {

std::string number(double value) { return shortestText(value, 17); }
std::string number(float value) { return shortestText(value, 9); }

std::string vectorText(const osg::Vec3d& v)
{
    return number(v.x()) + ", " + number(v.y()) + ", " + number(v.z());
}

std::string quadrupleText(const osg::Quat& q)
{
    return number(q.x()) + ", " + number(q.y()) + ", " + number(q.z()) + ", " + number(q.w());
}

std::string quadrupleText(const osg::Vec4f& c)
{
    return number(c.r()) + ", " + number(c.g()) + ", " + number(c.b()) + ", " + number(c.a());
}

std::string matrixText(const osg::Matrixd& m)
{
    std::string text;
    const double* values = m.ptr();
    for (int i = 0; i < 16; ++i) {
        if (i)
            text += ", ";
        text += number(values[i]);
    }
    return text;
}

bool readVector(const std::string& text, osg::Vec3d& v)
{
    double values[3];
    if (!readNumbers(commaPieces(text), 3, values))
        return false;
    v.set(values[0], values[1], values[2]);
    return true;
}

bool readRotation(const std::string& text, osg::Quat& q)
{
    double values[4];
    if (!readQuadruple(text, values))
        return false;
    const osg::Quat read(values[0], values[1], values[2], values[3]);
    // A zero quaternion is no rotation at all and would collapse the camera.
    if (!(read.length2() > 0.0) || !std::isfinite(read.length2()))
        return false;
    q = read;
    return true;
}

bool readColour(const std::string& text, osg::Vec4f& colour)
{
    double values[4];
    if (!readQuadruple(text, values))
        return false;
    const osg::Vec4f read{float(values[0]), float(values[1]), float(values[2]), float(values[3])};
    if (!read.valid())
        return false;
    colour = read;
    return true;
}

bool readMatrix(const std::string& text, osg::Matrixd& m)
{
    double values[16];
    if (!readNumbers(commaPieces(text), 16, values))
        return false;
    m.set(values);
    return true;
}

} // namespace ViewText

// ---------------------------------------------------------------- ManipulatorState

rapidjson::Value ManipulatorState::toJson(rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value object(rapidjson::kObjectType);
    object.AddMember("ManipulatorType", manipulatorType, allocator);
    if (manipulatorType == 0) {
        object.AddMember("PerpectiveCamera", perpectiveCamera, allocator);
        object.AddMember("Distance", numberValue(distance), allocator);
        object.AddMember("Center", stringValue(ViewText::vectorText(center), allocator), allocator);
        object.AddMember("Rotation", stringValue(ViewText::quadrupleText(rotation), allocator), allocator);
    } else if (manipulatorType == 3) {
        object.AddMember("UseThridpersonView", useThridpersonView, allocator);
        object.AddMember("Pitch", numberValue(pitch), allocator);
        object.AddMember("ThirdPersonOffset", numberValue(thirdPersonOffset), allocator);
        object.AddMember("Eye", stringValue(ViewText::vectorText(eye), allocator), allocator);
        object.AddMember("Rotation", stringValue(ViewText::quadrupleText(rotation), allocator), allocator);
    }
    return object;
}

bool ManipulatorState::fromJson(const rapidjson::Value& viewObject)
{
    const rapidjson::Value* state = member(viewObject, "ManipulatorState");
    if (!state || !state->IsObject())
        return false;
    const rapidjson::Value* type = member(*state, "ManipulatorType");
    if (!type || !type->IsInt())
        return false;
    manipulatorType = type->GetInt();
    std::string text;
    if (manipulatorType == 0) {
        readBool(member(*state, "PerpectiveCamera"), perpectiveCamera);
        if (readText(member(*state, "Center"), text))
            ViewText::readVector(text, center);
        if (readText(member(*state, "Rotation"), text))
            ViewText::readRotation(text, rotation);
        readFloat(member(*state, "Distance"), distance);
    } else if (manipulatorType == 3) {
        readBool(member(*state, "UseThridpersonView"), useThridpersonView);
        readFloat(member(*state, "Pitch"), pitch);
        if (readText(member(*state, "Rotation"), text))
            ViewText::readRotation(text, rotation);
        if (readText(member(*state, "Eye"), text))
            ViewText::readVector(text, eye);
        readFloat(member(*state, "ThirdPersonOffset"), thirdPersonOffset);
    }
    return true;
}

// ---------------------------------------------------------------- ModelState

ModelState::ModelState() : m_records(std::make_shared<ModelViewList>()) {}

rapidjson::Value ModelState::toJson(rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value object(rapidjson::kObjectType);
    for (const ModelView& record : *m_records) {
        rapidjson::Value entry(rapidjson::kObjectType);
        entry.AddMember("mask", rapidjson::Value(unsigned(record.mask)), allocator);
        entry.AddMember("matrix", stringValue(ViewText::matrixText(record.matrix), allocator), allocator);
        entry.AddMember("material", stringValue(ViewText::quadrupleText(record.color), allocator), allocator);
        entry.AddMember("transparent", numberValue(record.transparency), allocator);
        object.AddMember(stringValue(std::to_string(record.modelId), allocator), entry, allocator);
    }
    return object;
}

bool ModelState::fromJson(const rapidjson::Value& viewObject)
{
    const rapidjson::Value* state = member(viewObject, "ModelState");
    if (!state || !state->IsObject())
        return false;
    auto records = std::make_shared<ModelViewList>();
    // Every model at or below the top model is in this map, so a further search by id could find nothing more.
    const Model::ModelID2NodeMap nodes =
        m_topModel ? Model::GetModelID2NodeMap(m_topModel.get()) : Model::ModelID2NodeMap();
    std::string text;
    for (auto it = state->MemberBegin(); it != state->MemberEnd(); ++it) {
        ModelView record;
        record.modelId = modelIdOfKey(it->name.GetString(), it->name.GetStringLength());
        if (m_topModel) {
            auto found = nodes.find(record.modelId);
            if (found == nodes.end())
                continue;
            record.node = found->second;
        }
        const rapidjson::Value& entry = it->value;
        if (!entry.IsObject()) {
            LogHandler::getInstance()->reportWarning(
                QString("Saved view: model entry %1 is not an object, skipped").arg(record.modelId));
            continue;
        }
        const rapidjson::Value* mask = member(entry, "mask");
        if (mask && mask->IsUint())
            record.mask = mask->GetUint();
        if (readText(member(entry, "matrix"), text))
            ViewText::readMatrix(text, record.matrix);
        if (readText(member(entry, "material"), text))
            ViewText::readColour(text, record.color);
        readFloat(member(entry, "transparent"), record.transparency);
        records->push_back(record);
    }
    m_records = records;
    return true;
}

void ModelState::capture()
{
    if (!m_topModel)
        return;
    Model::NodeList models;
    Model::getAllChildrenModels(m_topModel.get(), models);
    if (models.empty())
        return;
    auto records = std::make_shared<ModelViewList>();
    for (const auto& node : models) {
        auto* model = dynamic_cast<Model*>(node.get());
        if (!model)
            continue;
        ModelView record;
        record.modelId = model->getModelID();
        record.matrix = model->getMatrix();
        record.mask = model->getNodeMask();
        record.node = node;
        record.color = model->getColor();
        record.transparency = float(model->getTransparent());
        records->push_back(record);
    }
    m_records = records;
}

void ModelState::apply()
{
    for (const ModelView& record : *m_records) {
        if (!record.node)
            continue;
        if (osg::Transform* transform = record.node->asTransform()) {
            if (osg::MatrixTransform* placed = transform->asMatrixTransform())
                placed->setMatrix(record.matrix);
        }
        record.node->setNodeMask(record.mask);
        if (auto* model = dynamic_cast<Model*>(record.node.get())) {
            // A model that already looks as recorded is left alone: a material of its own would hide the
            // colours of the parts below it, and a save would keep that.
            if (model->getColor() != record.color)
                model->setColor(record.color);
            if (float(model->getTransparent()) != record.transparency)
                model->setTransparent(record.transparency, false);
        }
    }
}

void ModelState::attachNodes()
{
    const Model::ModelID2NodeMap nodes =
        m_topModel ? Model::GetModelID2NodeMap(m_topModel.get()) : Model::ModelID2NodeMap();
    for (ModelView& record : *m_records) {
        auto found = nodes.find(record.modelId);
        record.node = found == nodes.end() ? nullptr : found->second;
    }
}

void ModelState::copyFrom(const ModelState& other)
{
    m_topModel = other.m_topModel;
    m_records = std::make_shared<ModelViewList>(*other.m_records);
}

// ---------------------------------------------------------------- ImageState

rapidjson::Value ImageState::toJson(rapidjson::Document::AllocatorType& allocator)
{
    QByteArray png;
    if (!image.isNull()) {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG", 20);
    }
    const QByteArray text = png.toBase64();
    rapidjson::Value object(rapidjson::kObjectType);
    object.AddMember("image_base64",
                     rapidjson::Value(text.constData(), rapidjson::SizeType(text.size()), allocator), allocator);
    return object;
}

bool ImageState::fromJson(const rapidjson::Value& viewObject)
{
    const rapidjson::Value* state = member(viewObject, "ImageState");
    if (!state || !state->IsObject())
        return false;
    const rapidjson::Value* text = member(*state, "image_base64");
    if (!text || !text->IsString())
        return false;
    image = QImage();
    const QByteArray data = QByteArray::fromBase64(QByteArray(text->GetString(), int(text->GetStringLength())));
    if (data.isEmpty())
        return true;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > MaxStoredImageSide || size.height() > MaxStoredImageSide ||
                           qint64(size.width()) * size.height() > qint64(data.size()) * MaxPixelsPerByte)) {
        LogHandler::getInstance()->reportError(QString("Saved view: picture of %1 x %2 pixels in %3 bytes refused")
                                                   .arg(size.width())
                                                   .arg(size.height())
                                                   .arg(data.size()));
        return true;
    }
    // Kept at the size it is shown, whatever size it was stored at.
    if (size.isValid() && (size.width() > ThumbnailSide || size.height() > ThumbnailSide))
        reader.setScaledSize(size.scaled(ThumbnailSide, ThumbnailSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    if (!reader.read(&image)) {
        image = QImage();
        LogHandler::getInstance()->reportWarning(
            QString("Saved view: picture could not be read (%1)").arg(reader.errorString()));
    }
    return true;
}

// ---------------------------------------------------------------- references

template <typename Manager, typename Data>
rapidjson::Value ReferenceState<Manager, Data>::toJson(rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value array(rapidjson::kArrayType);
    for (const Data& record : *m_records) {
        rapidjson::Value entry(rapidjson::kObjectType);
        entry.AddMember("Id", rapidjson::Value(uint64_t(record.id)), allocator);
        entry.AddMember("Visible", flagOf(record), allocator);
        array.PushBack(entry, allocator);
    }
    return array;
}

template <typename Manager, typename Data>
bool ReferenceState<Manager, Data>::fromJson(const rapidjson::Value& viewObject)
{
    const rapidjson::Value* list = member(viewObject, key());
    if (!list || !list->IsArray())
        return false;
    auto records = std::make_shared<DataList>();
    for (const rapidjson::Value& entry : list->GetArray()) {
        const rapidjson::Value* id = member(entry, "Id");
        if (!id || !id->IsUint64()) {
            LogHandler::getInstance()->reportWarning(
                QString("Saved view: an entry of \"%1\" without an unsigned integer \"Id\" skipped").arg(key()));
            continue;
        }
        const rapidjson::Value* visible = member(entry, "Visible");
        records->push_back(makeData<Data>(id->GetUint64(), visible && visible->IsTrue()));
    }
    m_records = records;
    return true;
}

template class ReferenceState<NoteManager, NoteData>;
template class ReferenceState<MeasureManager, NoteData>;
template class ReferenceState<SectionManager, SectionData>;

void NoteState::capture()
{
    if (!m_manager)
        return;
    const auto notes = m_manager->GetAllNote();
    if (notes.empty())
        return;
    auto records = std::make_shared<DataList>();
    for (const auto& note : notes) {
        if (note)
            records->push_back(NoteData{note->getId(), note->getNodeMask() != 0});
    }
    m_records = records;
}

void NoteState::apply()
{
    if (!m_manager)
        return;
    m_manager->HideAllNote();
    for (const NoteData& record : *m_records) {
        if (osg::ref_ptr<Note> note = m_manager->getNoteById(record.id)) {
            if (record.visible)
                m_manager->ShowNote(note);
            else
                m_manager->HideNote(note);
        }
    }
}

void MeasureState::capture()
{
    if (!m_manager)
        return;
    const auto measures = m_manager->GetAllMeasure();
    if (measures.empty())
        return;
    auto records = std::make_shared<DataList>();
    for (const auto& measure : measures) {
        if (measure)
            records->push_back(NoteData{measure->getId(), measure->getNodeMask() != 0});
    }
    m_records = records;
}

void MeasureState::apply()
{
    if (!m_manager)
        return;
    m_manager->HideAllMeasure();
    for (const NoteData& record : *m_records) {
        if (osg::ref_ptr<Measure> measure = m_manager->getMeasureById(record.id)) {
            if (record.visible)
                m_manager->ShowMeasure(measure);
            else
                m_manager->HideMeasure(measure);
        }
    }
}

void SectionState::capture()
{
    if (!m_manager)
        return;
    const auto sections = m_manager->GetAllSection();
    if (sections.empty())
        return;
    auto records = std::make_shared<DataList>();
    for (const auto& section : sections) {
        if (section)
            records->push_back(SectionData{section->getId(), section->getOpened()});
    }
    m_records = records;
}

void SectionState::apply()
{
    if (!m_manager)
        return;
    // Closing first frees clip planes for the sections this view opens.
    for (bool open : {false, true}) {
        for (const SectionData& record : *m_records) {
            if (record.opened != open)
                continue;
            if (osg::ref_ptr<Section> section = m_manager->getNodeById(record.id)) {
                if (open)
                    m_manager->OpenSection(section);
                else
                    m_manager->CloseSection(section);
            }
        }
    }
}

// ---------------------------------------------------------------- UserView

UserView::UserView() = default;

UserView::UserView(const UserView& other, const osg::CopyOp& copyop) : View(other, copyop)
{
    copyParts(other);
    m_viewRemark = other.m_viewRemark;
}

UserView::~UserView() = default;

std::vector<osg::ref_ptr<UserView>> UserView::readList(const std::string& text)
{
    std::vector<osg::ref_ptr<UserView>> views;
    if (text.empty())
        return views;
    rapidjson::Document document;
    // Iterative parsing: deeply nested damage cannot exhaust the stack.
    document.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
    if (document.HasParseError()) {
        LogHandler::getInstance()->reportError(
            QString("Saved views: the view list does not parse (offset %1), no views read")
                .arg(qulonglong(document.GetErrorOffset())));
        return views;
    }
    const rapidjson::Value* list = member(document, "userview_list");
    if (!list || !list->IsArray()) {
        LogHandler::getInstance()->reportError(QString("Saved views: no \"userview_list\" array, no views read"));
        return views;
    }
    for (const rapidjson::Value& entry : list->GetArray()) {
        if (!entry.IsObject()) {
            LogHandler::getInstance()->reportWarning(QString("Saved views: a list element that is not an object skipped"));
            continue;
        }
        osg::ref_ptr<UserView> view = new UserView;
        view->fromJson(entry);
        views.push_back(view);
    }
    return views;
}

rapidjson::Value UserView::toJson(rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value object(rapidjson::kObjectType);
    object.AddMember("ViewID", rapidjson::Value(int64_t(m_viewId)), allocator);
    object.AddMember("ManipulatorState", m_manipulatorState.toJson(allocator), allocator);
    object.AddMember("ModelState", m_modelState.toJson(allocator), allocator);
    object.AddMember("ImageState", m_imageState.toJson(allocator), allocator);
    object.AddMember("RefNotes", m_noteState.toJson(allocator), allocator);
    object.AddMember("RefMeasures", m_measureState.toJson(allocator), allocator);
    object.AddMember("RefSections", m_sectionState.toJson(allocator), allocator);
    object.AddMember("ViewName", stringValue(m_viewName, allocator), allocator);
    object.AddMember("ViewRemark", stringValue(m_viewRemark, allocator), allocator);
    return object;
}

bool UserView::fromJson(const rapidjson::Value& object)
{
    if (!object.IsObject())
        return false;
    if (const rapidjson::Value* id = member(object, "ViewID")) {
        if (id->IsInt64())
            m_viewId = id->GetInt64();
        else if (id->IsUint64()) // beyond the signed range: keep the 64 bits as they are
            m_viewId = int64_t(id->GetUint64());
    }
    m_manipulatorState.fromJson(object);
    m_modelState.fromJson(object);
    m_imageState.fromJson(object);
    m_noteState.fromJson(object);
    m_sectionState.fromJson(object);
    std::string text;
    if (readText(member(object, "ViewName"), text))
        m_viewName = text;
    if (readText(member(object, "ViewRemark"), text))
        m_viewRemark = text;
    m_measureState.fromJson(object);
    return true;
}

void UserView::copyParts(const UserView& other)
{
    m_viewId = other.m_viewId;
    m_viewName = other.m_viewName;
    sceneView = other.sceneView;
    m_manipulatorState = other.m_manipulatorState;
    m_imageState = other.m_imageState;
    m_modelState.copyFrom(other.m_modelState);
    m_noteState.copyFrom(other.m_noteState);
    m_measureState.copyFrom(other.m_measureState);
    m_sectionState.copyFrom(other.m_sectionState);
}

osg::ref_ptr<View> UserView::clone()
{
    osg::ref_ptr<UserView> view = new UserView;
    view->copyParts(*this);
    return view;
}

void UserView::copy(osg::ref_ptr<View> other)
{
    if (auto* view = dynamic_cast<UserView*>(other.get()))
        copyParts(*view);
}

void UserView::capture()
{
    if (sceneView)
        sceneView->captureManipulatorState(m_manipulatorState);
    else
        LogHandler::getInstance()->reportError(
            QString("Saved view \"%1\": no scene view, camera and picture not captured")
                .arg(QString::fromLocal8Bit(m_viewName.c_str())));
    m_modelState.capture();
    m_noteState.capture();
    m_sectionState.capture();
    m_measureState.capture();
    if (sceneView) {
        QImage picture;
        if (osg::ref_ptr<osg::Image> shot = OsgHelper::snapshot(sceneView->getView().get(), false))
            picture = osgImageToQImage(*shot);
        if (!picture.isNull())
            picture = picture.scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_imageState.image = picture;
    }
}

void UserView::apply()
{
    if (sceneView)
        sceneView->applyManipulatorState(m_manipulatorState);
    m_modelState.apply();
    m_noteState.apply();
    m_sectionState.apply();
    m_measureState.apply();
}

} // namespace Vantor
