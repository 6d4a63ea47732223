#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoArchiveReader.h"

#include "vantor/dazoreader/DazoSceneBuilder.h"
#include "vantor/model/Model.h"
#include "vantor/util/StrUtil.h"

#include "dazo/Vantor_Text.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <algorithm>
#include <cmath>

namespace Vantor {
namespace DazoRead {

using VantorSoft::u64;

namespace {

class BomReader
{
public:
    BomReader(Context& ctx, const std::string& baseFolder) : m_ctx(ctx), m_base(baseFolder) {}

    osg::ref_ptr<Model> read(const std::string& text)
    {
        rapidjson::Document doc;
        doc.Parse<rapidjson::kParseIterativeFlag>(text.c_str(), text.size());
        if (doc.HasParseError()) {
            m_ctx.report(std::string("the bill of materials is not valid JSON (") + rapidjson::GetParseError_En(doc.GetParseError()) +
                       " at byte " + std::to_string(doc.GetErrorOffset()) + ")");
            return nullptr;
        }
        if (!doc.IsObject()) {
            m_ctx.report("the bill of materials is not a JSON object");
            return nullptr;
        }
        auto bom = doc.FindMember("bom");
        if (bom == doc.MemberEnd() || !bom->value.IsObject()) {
            m_ctx.report("the bill of materials has no \"bom\" object");
            return nullptr;
        }
        m_total = countEntries(bom->value, 0);
        return entry(bom->value, 0);
    }

private:
    std::size_t countEntries(const rapidjson::Value& v, int depth)
    {
        std::size_t n = 1;
        auto children = v.FindMember("children");
        if (depth < MaxDepth && children != v.MemberEnd() && children->value.IsArray()) {
            for (const auto& c : children->value.GetArray())
                n += c.IsObject() ? countEntries(c, depth + 1) : 0;
        }
        return n;
    }

    bool bad(const std::string& what)
    {
        m_ctx.report("the bill of materials is damaged: " + what);
        return false;
    }

    osg::ref_ptr<Model> entry(const rapidjson::Value& v, int depth)
    {
        if (depth >= MaxDepth) {
            bad("its entries are nested too deeply");
            return nullptr;
        }
        if (m_ctx.cancelled && m_ctx.cancelled())
            return nullptr;
        auto id = v.FindMember("id");
        auto name = v.FindMember("name");
        auto matrix = v.FindMember("matrix");
        auto visible = v.FindMember("visible");
        auto path = v.FindMember("path");
        auto children = v.FindMember("children");
        const auto end = v.MemberEnd();
        if (id != end && !id->value.IsString() && !id->value.IsUint64())
            return bad("an id is neither a decimal text nor a whole number"), nullptr;
        if ((name != end && !name->value.IsString()) || (path != end && !path->value.IsString()))
            return bad("a name or path is not a text"), nullptr;
        if (visible != end && !visible->value.IsBool())
            return bad("\"visible\" is not true or false"), nullptr;
        if (children != end && !children->value.IsArray())
            return bad("\"children\" is not a list"), nullptr;
        osg::Matrixd placement;
        if (matrix != end) {
            if (!matrix->value.IsArray() || matrix->value.Size() != 16)
                return bad("a matrix is not a list of 16 numbers"), nullptr;
            for (rapidjson::SizeType i = 0; i < 16; ++i) {
                const auto& n = matrix->value[i];
                if (!n.IsNumber() || !std::isfinite(n.GetDouble()))
                    return bad("a matrix holds something that is not a number"), nullptr;
                placement.ptr()[i] = n.GetDouble();
            }
        }

        osg::ref_ptr<Model> model;
        const std::string partPath = path != end ? std::string(path->value.GetString(), path->value.GetStringLength()) : "";
        if (!partPath.empty()) {
            // A bill given as text has no folder of its own: a relative path would be taken from
            // whatever folder the process happens to be in.
            if (m_base.empty() && partPath[0] != '/')
                return bad("the part path \"" + partPath +
                           "\" is relative, and a bill of materials given as text has no folder it could be relative to"),
                       nullptr;
            // A part: the file brings its own structure; the children listed beside it only describe it.
            model = part(resolve(m_base, partPath), depth);
            if (!model)
                return nullptr;
        } else {
            if (!countInstances(1))
                return nullptr;
            model = new Model;
            if (children != end) {
                for (const auto& c : children->value.GetArray()) {
                    if (!c.IsObject())
                        return bad("an entry of \"children\" is not an object"), nullptr;
                    osg::ref_ptr<Model> child = entry(c, depth + 1);
                    if (!child)
                        return nullptr;
                    model->osg::Group::addChild(child.get());
                }
                model->resetChildrenPlcId();
            }
        }
        u64 modelId = 0;
        if (id != end)
            modelId = id->value.IsString() ? VantorSoft::IdFromText(id->value.GetString()) : id->value.GetUint64();
        if (modelId != 0 && m_ctx.usedIds.insert(modelId).second)
            model->setModelID(modelId);
        if (name != end)
            model->setName(std::string(name->value.GetString(), name->value.GetStringLength()));
        if (matrix != end)
            model->setMatrix(placement);
        if (visible != end)
            model->setNodeMask(visible->value.GetBool() ? 0xffffffffu : 0u);
        ++m_done;
        if (m_ctx.progress)
            m_ctx.progress(StrUtil::translate("DazoReader", "Reading the bill of materials"), 100.0f * static_cast<float>(m_done) / static_cast<float>(std::max<std::size_t>(m_total, 1)));
        if (depth == 0) {
            bool faces, lines;
            setGeometryFlags(model.get(), faces, lines);
        }
        return model;
    }

    // The part file, read once.
    osg::ref_ptr<Model> part(const std::string& file, int depth)
    {
        if (!DazoLayout::IsModelFileName(file)) {
            bad("the part " + file + " is not a model file");
            return nullptr;
        }
        auto cached = m_parts.find(file);
        if (cached != m_parts.end()) {
            // Read first at another depth: its own levels must still fit here.
            if (m_ctx.depth + depth + cached->second.height > MaxModelDepth) {
                bad("its part " + file + " is nested more than " + std::to_string(MaxModelDepth) +
                    " levels deep, deeper than the viewer can show");
                return nullptr;
            }
            if (!countInstances(cached->second.models))
                return nullptr;
            return instanceOf(*cached->second.model, *m_ctx.share);
        }
        Context sub = m_ctx;
        sub.progress = nullptr;
        sub.subProgress = nullptr;
        sub.depth = m_ctx.depth + depth + 1;
        osg::ref_ptr<Model> model = readArchive(sub, file, nullptr);
        m_ctx.usedIds = sub.usedIds;
        if (!model) {
            bad("its part " + file + " cannot be read: " + sub.lastError);
            return nullptr;
        }
        // Later uses place the same scene again: models of their own over the same bodies.
        m_parts[file] = Part{model, modelHeight(model.get()), modelCount(model.get())};
        return model;
    }

    bool countInstances(std::size_t more)
    {
        ReadShare& share = *m_ctx.share;
        if (more > MaxInstances - std::min(share.instances, MaxInstances))
            return bad("it places more than " + std::to_string(MaxInstances) + " models in all, more than the viewer can show");
        share.instances += more;
        return true;
    }

    struct Part {
        osg::ref_ptr<Model> model;
        int height = 0;
        std::size_t models = 0;
    };

    Context& m_ctx;
    std::string m_base;
    std::map<std::string, Part> m_parts;
    std::size_t m_total = 0;
    std::size_t m_done = 0;
};

} // namespace

osg::ref_ptr<Model> readBom(Context& ctx, const std::string& text, const std::string& baseFolder)
{
    BomReader reader(ctx, baseFolder);
    return reader.read(text);
}

} // namespace DazoRead
} // namespace Vantor
