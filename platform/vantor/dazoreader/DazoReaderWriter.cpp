#include "vantor/dazoreader/DazoReaderWriter.h"

#include "vantor/dazoreader/DazoArchiveReader.h"
#include "vantor/model/Model.h"

#include <cstdio>
#include <memory>

namespace {

// The text of a file, read in chunks; false when it cannot be read.
bool readText(const std::string& path, std::string& out, std::string& error)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open " + path;
        return false;
    }
    std::string text;
    char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0)
        text.append(chunk, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok) {
        error = "cannot read " + path;
        return false;
    }
    out.swap(text);
    return true;
}

} // namespace

DazoReaderWriter::DazoReaderWriter() = default;
DazoReaderWriter::~DazoReaderWriter() = default;

namespace {

Vantor::DazoRead::Context makeContext(DazoReaderWriter& reader, const std::function<bool(const std::string&)>& fail,
                                      const std::function<void(const std::string&)>& warn,
                                      const std::function<void(const std::string&, float)>& progress,
                                      const std::function<void(const std::string&, float)>& subProgress, bool pmi, bool edge,
                                      bool merge)
{
    Vantor::DazoRead::Context ctx;
    ctx.fail = fail;
    ctx.warn = warn;
    ctx.progress = progress;
    ctx.subProgress = subProgress;
    ctx.cancelled = [&reader] { return reader.isCancelled(); };
    ctx.readPMI = pmi;
    ctx.readEdge = edge;
    ctx.mergeFace = merge;
    return ctx;
}

} // namespace

osg::ref_ptr<osg::Node> DazoReaderWriter::readNode(const std::string& path)
{
    clearError();
    m_userData.clear();
    m_otherEntries.clear();
    reportStarted();
    auto ctx = makeContext(
        *this, [this](const std::string& reason) { return fail(reason); }, [this](const std::string& text) { warn(text); },
        [this](const std::string& text, float value) { reportProgress(text, value); },
        [this](const std::string& text, float value) { reportSubProgress(text, value); }, readPMI(), readEdge(), mergeFace());
    std::map<std::string, std::string> documents;
    std::vector<Vantor::DazoLayout::StoredEntry> others;
    osg::ref_ptr<Vantor::Model> root = Vantor::DazoRead::readArchive(ctx, path, &documents, nullptr, &others);
    if (isCancelled()) {
        if (lastError().empty())
            fail("reading " + path + " was cancelled");
        reportCancelled();
        return nullptr;
    }
    if (!root)
        return nullptr;
    for (auto& d : documents)
        m_userData[d.first] = std::make_unique<std::string>(std::move(d.second));
    m_otherEntries = std::move(others);
    return root;
}

osg::ref_ptr<osg::Node> DazoReaderWriter::readBom(const std::string& path)
{
    clearError();
    m_userData.clear();
    m_otherEntries.clear();
    std::string text, error;
    if (!readText(path, text, error)) {
        fail(error);
        return nullptr;
    }
    return readBomText(text, Vantor::DazoRead::folderOf(path));
}

osg::ref_ptr<osg::Node> DazoReaderWriter::readBomValue(const std::string& text)
{
    clearError();
    m_userData.clear();
    m_otherEntries.clear();
    return readBomText(text, "");
}

osg::ref_ptr<osg::Node> DazoReaderWriter::readBomText(const std::string& text, const std::string& baseFolder)
{
    reportStarted();
    auto ctx = makeContext(
        *this, [this](const std::string& reason) { return fail(reason); }, [this](const std::string& t) { warn(t); },
        [this](const std::string& t, float value) { reportProgress(t, value); },
        [this](const std::string& t, float value) { reportSubProgress(t, value); }, readPMI(), readEdge(), mergeFace());
    osg::ref_ptr<Vantor::Model> root = Vantor::DazoRead::readBom(ctx, text, baseFolder);
    if (isCancelled()) {
        if (lastError().empty())
            fail("reading the bill of materials was cancelled");
        reportCancelled();
        return nullptr;
    }
    return root;
}

std::map<std::string, std::string*> DazoReaderWriter::GetUserData()
{
    std::map<std::string, std::string*> out;
    for (auto& d : m_userData)
        out[d.first] = d.second.get();
    return out;
}
