#include "vantor/dazoreader/DazoJsonWriter.h"

#include "vantor/dazoreader/DazoSceneData.h"
#include "vantor/model/Model.h"
#include "vantor/model/PMI.h"

#include "dazo/Vantor_Text.h"

#include <osg/MatrixTransform>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cmath>
#include <set>

namespace {

typedef rapidjson::Writer<rapidjson::StringBuffer> JsonWriter;

class BomWriter
{
public:
    explicit BomWriter(JsonWriter& w) : m_w(w) {}

    void entry(osg::Node* node)
    {
        m_path.insert(node);
        const auto* model = dynamic_cast<const Vantor::Model*>(node);
        m_w.StartObject();
        m_w.Key("id");
        m_w.String(VantorSoft::IdText(model ? model->getModelID() : 0).c_str());
        m_w.Key("name");
        m_w.String(node->getName().c_str(), static_cast<rapidjson::SizeType>(node->getName().size()));
        osg::Matrixd matrix;
        if (osg::Transform* t = node->asTransform()) {
            if (osg::MatrixTransform* mt = t->asMatrixTransform())
                matrix = mt->getMatrix();
            else
                t->computeLocalToWorldMatrix(matrix, nullptr);
        }
        m_w.Key("matrix");
        m_w.StartArray();
        for (int i = 0; i < 16; ++i) {
            const double v = matrix.ptr()[i];
            m_w.Double(std::isfinite(v) ? v : 0.0);
        }
        m_w.EndArray();
        m_w.Key("visible");
        m_w.Bool(node->getNodeMask() != 0);
        const auto* data = Vantor::DazoData::find<Vantor::DazoData::InstanceData>(node);
        const std::string path = data ? data->sourcePath : std::string();
        m_w.Key("path");
        m_w.String(path.c_str(), static_cast<rapidjson::SizeType>(path.size()));
        m_w.Key("children");
        m_w.StartArray();
        if (osg::Group* group = node->asGroup()) {
            for (unsigned int i = 0; i < group->getNumChildren(); ++i) {
                osg::Node* child = group->getChild(i);
                if (!child->asGroup() || dynamic_cast<Vantor::PMI*>(child) || m_path.count(child))
                    continue;
                entry(child);
            }
        }
        m_w.EndArray();
        m_w.EndObject();
        m_path.erase(node);
    }

private:
    JsonWriter& m_w;
    std::set<const osg::Node*> m_path;
};

} // namespace

DazoJsonWriter::DazoJsonWriter() = default;
DazoJsonWriter::~DazoJsonWriter() = default;

bool DazoJsonWriter::saveJson(osg::ref_ptr<osg::Node> root, std::string& out)
{
    clearError();
    if (!root)
        return fail("no bill of materials without a model");
    rapidjson::StringBuffer sb;
    JsonWriter w(sb);
    w.StartObject();
    w.Key("version");
    w.String("1.0.0");
    w.Key("bom");
    BomWriter(w).entry(root.get());
    w.EndObject();
    out.assign(sb.GetString(), sb.GetSize());
    return true;
}
