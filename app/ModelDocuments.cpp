#include "app/ModelDocuments.h"

#include "vantor/model/Model.h"
#include "vantor/model/PMI.h"
#include "vantor/util/JsonParse.h"

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/Material>
#include <osg/MatrixTransform>
#include <osg/NodeVisitor>

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <QCoreApplication>
#include <QTextCodec>

#include <cstring>

const char* const DocumentNames[5] = {"note", "view", "section", "measure", "animation"};

namespace {

QString text(const char* english)
{
    return QCoreApplication::translate("ModelDocuments", english);
}

bool parse(const std::string& bytes, rapidjson::Document& doc)
{
    // Iterative: a deeply nested document must not exhaust the stack.
    Vantor::ParseJsonExact<rapidjson::kParseIterativeFlag>(doc, bytes.c_str(), bytes.size());
    return !doc.HasParseError();
}

// Deeper than any document the program writes; a stored one nested deeper is not compared.
const int MostDepth = 64;

// Whether `mine` holds everything `stored` holds: every member and entry, strings and booleans as they
// are, numbers as numbers. path receives where it does not.
bool covers(const rapidjson::Value& stored, const rapidjson::Value& mine, std::string& path, int depth)
{
    if (depth > MostDepth)
        return false;
    switch (stored.GetType()) {
    case rapidjson::kNullType:
        return true;
    case rapidjson::kFalseType:
    case rapidjson::kTrueType:
        return mine.IsBool() && mine.GetBool() == stored.GetBool();
    case rapidjson::kNumberType:
        return mine.IsNumber();
    case rapidjson::kStringType:
        return mine.IsString() && mine.GetStringLength() == stored.GetStringLength() &&
               std::memcmp(mine.GetString(), stored.GetString(), stored.GetStringLength()) == 0;
    case rapidjson::kArrayType:
        if (!mine.IsArray() || mine.Size() != stored.Size()) {
            path += "[]";
            return false;
        }
        for (rapidjson::SizeType i = 0; i < stored.Size(); ++i) {
            const std::string::size_type at = path.size();
            path += "[" + std::to_string(i) + "]";
            if (!covers(stored[i], mine[i], path, depth + 1))
                return false;
            path.resize(at);
        }
        return true;
    case rapidjson::kObjectType:
        if (!mine.IsObject())
            return false;
        for (const auto& m : stored.GetObject()) {
            const std::string::size_type at = path.size();
            path += "/" + std::string(m.name.GetString(), m.name.GetStringLength());
            const auto found = mine.FindMember(m.name);
            if (found == mine.MemberEnd() || !covers(m.value, found->value, path, depth + 1))
                return false;
            path.resize(at);
        }
        return true;
    }
    return false;
}

// FNV-1a over what the visitor feeds it.
class Digest : public osg::NodeVisitor
{
public:
    explicit Digest(osg::Node* top) : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN), m_top(top)
    {
        setNodeMaskOverride(0xffffffffu);
    }

    void apply(osg::Node& node) override
    {
        // Annotations travel in their model's record; showing or hiding one writes nothing.
        if (dynamic_cast<Vantor::PMI*>(&node))
            return;
        add(&node);
        add(node.getName());
        add(node.getNodeMask() != 0);
        add(node.getUserData());
        if (const auto* model = dynamic_cast<const Vantor::Model*>(&node))
            add(model->getModelID());
        // The top's own placement is not written: the file gets the one recorded when it was set.
        if (const osg::MatrixTransform* t = node.asTransform() ? node.asTransform()->asMatrixTransform() : nullptr)
            if (&node != m_top)
                addBytes(t->getMatrix().ptr(), 16 * sizeof(double));
        if (const osg::StateSet* ss = node.getStateSet()) {
            if (const auto* m = dynamic_cast<const osg::Material*>(ss->getAttribute(osg::StateAttribute::MATERIAL))) {
                add(static_cast<int>(m->getColorMode()));
                addBytes(m->getDiffuse(osg::Material::FRONT).ptr(), 4 * sizeof(float));
            }
        }
        if (osg::Group* group = node.asGroup())
            add(group->getNumChildren());
        if (osg::Geode* geode = node.asGeode())
            faces(*geode);
        traverse(node);
    }

    std::uint64_t value() const { return m_hash; }

private:
    // Only drawables with faces are written; lines come from the bodies' own records.
    void faces(osg::Geode& geode)
    {
        for (unsigned int d = 0; d < geode.getNumDrawables(); ++d) {
            const osg::Geometry* g = geode.getDrawable(d)->asGeometry();
            if (!g)
                continue;
            bool hasFaces = false;
            for (unsigned int p = 0; p < g->getNumPrimitiveSets(); ++p) {
                const GLenum mode = g->getPrimitiveSet(p)->getMode();
                hasFaces = hasFaces || (mode != GL_POINTS && mode != GL_LINES && mode != GL_LINE_STRIP &&
                                        mode != GL_LINE_LOOP);
            }
            if (!hasFaces)
                continue;
            add(g);
            add(g->getUserData());
            for (const osg::Array* a : {g->getVertexArray(), g->getNormalArray(), g->getColorArray(), g->getTexCoordArray(0)}) {
                add(a);
                add(a ? a->getModifiedCount() : 0u);
                add(a ? a->getNumElements() : 0u);
            }
            if (const auto* colours = dynamic_cast<const osg::Vec4Array*>(g->getColorArray()))
                if (!colours->empty())
                    addBytes(colours->front().ptr(), 4 * sizeof(float));
            for (unsigned int p = 0; p < g->getNumPrimitiveSets(); ++p) {
                const osg::PrimitiveSet* ps = g->getPrimitiveSet(p);
                add(ps);
                add(ps->getModifiedCount());
                add(ps->getNumIndices());
            }
        }
    }

    void addBytes(const void* data, std::size_t n)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < n; ++i) {
            m_hash ^= p[i];
            m_hash *= 1099511628211ULL;
        }
    }
    template <class T>
    void add(const T& value)
    {
        addBytes(&value, sizeof value);
    }
    void add(const std::string& s)
    {
        add(s.size());
        addBytes(s.data(), s.size());
    }

    const osg::Node* m_top;
    std::uint64_t m_hash = 14695981039346656037ULL;
};

std::string lookUp(const DocumentTexts& texts, const std::string& name)
{
    const auto found = texts.find(name);
    return found == texts.end() ? std::string() : found->second;
}

} // namespace

QString partialReadReason(const std::string& stored, const std::string& read)
{
    if (stored.find('\0') != std::string::npos)
        return text("it holds a NUL byte; only the text before it was read");
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(stored.data(), static_cast<int>(stored.size()), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return text("it is not UTF-8 text; its texts were read with replacement characters");
    rapidjson::Document storedDoc;
    if (!parse(stored, storedDoc))
        return text("it is not valid JSON (%1 at byte %2)")
            .arg(QString::fromLatin1(rapidjson::GetParseError_En(storedDoc.GetParseError())))
            .arg(qulonglong(storedDoc.GetErrorOffset()));
    rapidjson::Document readDoc;
    if (!parse(read, readDoc))
        return text("what was read of it cannot be written back");
    std::string path;
    if (!covers(storedDoc, readDoc, path, 0))
        return text("what it holds at %1 was not read").arg(QString::fromStdString(path.empty() ? "/" : path));
    return QString();
}

std::uint64_t sceneDigest(osg::Node* model)
{
    if (!model)
        return 0;
    Digest digest(model);
    model->accept(digest);
    return digest.value();
}

void DocumentState::forget()
{
    *this = DocumentState();
}

std::map<std::string, QString> DocumentState::loaded(const LoadedDocuments& file, const DocumentTexts& current, std::uint64_t scene)
{
    m_tracking = true;
    m_stored = file.members;
    m_baseline = current;
    m_others = file.others;
    m_scene = scene;
    m_partial.clear();
    for (const char* name : DocumentNames) {
        const auto stored = m_stored.find(name);
        if (stored == m_stored.end())
            continue;
        const QString reason = partialReadReason(stored->second, lookUp(current, name));
        if (!reason.isEmpty())
            m_partial[name] = reason;
    }
    return m_partial;
}

bool DocumentState::modified(const DocumentTexts& current, std::uint64_t scene) const
{
    if (!m_tracking)
        return false;
    if (scene != m_scene)
        return true;
    for (const char* name : DocumentNames) {
        if (lookUp(current, name) != lookUp(m_baseline, name))
            return true;
    }
    return false;
}

DocumentState::Plan DocumentState::plan(const DocumentTexts& current) const
{
    Plan plan;
    std::vector<Vantor::DazoLayout::StoredEntry> entries;
    if (m_others)
        entries = *m_others;
    auto taken = [&entries](const std::string& entry) {
        for (const auto& e : entries)
            if (e.name == entry)
                return true;
        return false;
    };
    for (const char* name : DocumentNames) {
        const std::string now = lookUp(current, name);
        const auto stored = m_stored.find(name);
        const bool changed = now != lookUp(m_baseline, name);
        if (stored != m_stored.end() && !changed) {
            plan.documents[name] = stored->second;
            continue;
        }
        plan.documents[name] = now;
        if (stored == m_stored.end() || !m_partial.count(name))
            continue;
        // Nothing the file held is lost: the part the program could not read stays beside the new text.
        std::string entry = Vantor::DazoLayout::EntryName(std::string(name) + "-original");
        for (int n = 2; taken(entry); ++n)
            entry = Vantor::DazoLayout::EntryName(std::string(name) + "-original" + std::to_string(n));
        Vantor::DazoLayout::StoredEntry kept;
        kept.name = entry;
        kept.data = stored->second;
        entries.push_back(std::move(kept));
        plan.keptBeside << QString::fromLatin1(name);
    }
    plan.entries = std::make_shared<const std::vector<Vantor::DazoLayout::StoredEntry>>(std::move(entries));
    return plan;
}

void DocumentState::saved(const Plan& plan, const DocumentTexts& current, std::uint64_t scene)
{
    for (const char* name : DocumentNames) {
        if (lookUp(plan.documents, name) != lookUp(m_stored, name))
            m_partial.erase(name); // written anew from what the program holds
    }
    m_stored.clear();
    for (const auto& d : plan.documents)
        if (!d.second.empty()) // an empty text leaves its member out
            m_stored.insert(d);
    m_baseline = current;
    m_others = plan.entries;
    m_scene = scene;
    m_tracking = true;
}

QString DocumentState::readInPart(const std::string& name) const
{
    const auto found = m_partial.find(name);
    return found == m_partial.end() ? QString() : found->second;
}
