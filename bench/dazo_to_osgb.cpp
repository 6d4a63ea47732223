// Writes a ".dazo" model as OpenSceneGraph's native binary ".osgb", read through the program's own
// reader, so that osgviewer can draw exactly the geometry the viewer draws. Nodes of our own classes
// become the plain OSG nodes they derive from (osgb has no wrappers for them); shared subgraphs stay
// shared.
//
//   dazo_to_osgb [--cull-back-faces] <in.dazo> <out.osgb>
//
// --cull-back-faces turns back-face culling on at the root, as osgviewer's `b` key does: the
// like-for-like peer of a viewer that draws closed bodies one-sided.

#include "vantor/dazoreader/DazoReaderWriter.h"

#include <osg/CullFace>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/MatrixTransform>
#include <osgDB/WriteFile>

#include <cstdio>
#include <cstring>
#include <map>

namespace {

bool isPlainOsg(const osg::Object& object)
{
    return std::strcmp(object.libraryName(), "osg") == 0;
}

// The reader's records (instances, faces, bodies) hang in user data containers; osgb cannot hold them.
void dropUserData(osg::Object& object)
{
    object.setUserDataContainer(nullptr);
}

// How the viewer draws its geometry is its own choice: osgviewer gets drawables as a new OSG drawable
// is drawn by default, as from any other ".osgb".
void drawAsOsgDefaults(osg::Drawable& drawable)
{
    static const osg::ref_ptr<osg::Geometry> fresh = new osg::Geometry;
    drawable.setUseDisplayList(fresh->getUseDisplayList());
    drawable.setUseVertexBufferObjects(fresh->getUseVertexBufferObjects());
}

class Converter
{
public:
    osg::Node* convert(osg::Node* node)
    {
        if (!node)
            return nullptr;
        auto found = m_done.find(node);
        if (found != m_done.end())
            return found->second.get();
        osg::ref_ptr<osg::Node> out = plain(node);
        m_done[node] = out;
        if (osg::Group* from = node->asGroup()) {
            osg::Group* to = out->asGroup();
            if (to != from)
                to->removeChildren(0, to->getNumChildren());
            for (unsigned int i = 0; i < from->getNumChildren(); ++i) {
                osg::Node* child = convert(from->getChild(i));
                if (to == from)
                    to->setChild(i, child);
                else if (child)
                    to->addChild(child);
            }
        }
        return out.get();
    }
    unsigned int dropped = 0;

private:
    osg::ref_ptr<osg::Node> plain(osg::Node* node)
    {
        if (isPlainOsg(*node)) {
            if (osg::Geode* geode = node->asGeode())
                keepPlainDrawables(*geode);
            if (osg::Drawable* drawable = node->asDrawable()) {
                drawable->setComputeBoundingBoxCallback(nullptr);
                drawAsOsgDefaults(*drawable);
            }
            dropUserData(*node);
            return node;
        }
        osg::ref_ptr<osg::Group> group;
        if (osg::Transform* t = node->asTransform(); t && t->asMatrixTransform())
            group = new osg::MatrixTransform(t->asMatrixTransform()->getMatrix());
        else if (node->asGroup())
            group = new osg::Group;
        else {
            ++dropped;
            return new osg::Group;
        }
        group->setName(node->getName());
        group->setNodeMask(node->getNodeMask());
        group->setStateSet(node->getStateSet());
        group->setDataVariance(node->getDataVariance());
        return group;
    }

    // Bound callbacks and per-face records only serve picking, which osgviewer does not do.
    void keepPlainDrawables(osg::Geode& geode)
    {
        for (unsigned int i = geode.getNumDrawables(); i-- > 0;) {
            osg::Drawable* drawable = geode.getDrawable(i);
            if (!isPlainOsg(*drawable)) {
                geode.removeDrawables(i);
                ++dropped;
                continue;
            }
            dropUserData(*drawable);
            if (drawable->getComputeBoundingBoxCallback())
                drawable->setComputeBoundingBoxCallback(nullptr);
            drawAsOsgDefaults(*drawable);
        }
    }

    std::map<osg::Node*, osg::ref_ptr<osg::Node>> m_done;
};

} // namespace

int main(int argc, char** argv)
{
    bool cullBackFaces = false;
    if (argc == 4 && std::strcmp(argv[1], "--cull-back-faces") == 0) {
        cullBackFaces = true;
        ++argv;
        --argc;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: dazo_to_osgb [--cull-back-faces] <in.dazo> <out.osgb>\n");
        return 2;
    }
    osg::ref_ptr<osg::Node> root;
    {
        DazoReaderWriter reader;
        root = reader.readNode(argv[1]);
        if (!root) {
            std::fprintf(stderr, "cannot read %s: %s\n", argv[1], reader.lastError().c_str());
            return 1;
        }
    }
    Converter converter;
    osg::ref_ptr<osg::Node> out = converter.convert(root.get());
    if (converter.dropped)
        std::fprintf(stderr, "%u nodes or drawables of our own kinds were left out\n", converter.dropped);
    if (cullBackFaces) {
        osg::ref_ptr<osg::Group> culled = new osg::Group;
        culled->getOrCreateStateSet()->setAttributeAndModes(new osg::CullFace(osg::CullFace::BACK), osg::StateAttribute::ON);
        culled->addChild(out.get());
        out = culled;
    }
    if (!osgDB::writeNodeFile(*out, argv[2], new osgDB::Options("WriteImageHint=IncludeData"))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
