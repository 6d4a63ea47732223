#include "vantor/math/MeshPrimitives.h"

#include <osg/Geometry>
#include <osg/TriangleIndexFunctor>

namespace Vantor {

namespace {

struct IndexSink
{
    std::vector<unsigned int>* out = nullptr;
    unsigned int base = 0;
    void operator()(unsigned int a, unsigned int b, unsigned int c)
    {
        out->push_back(base + a);
        out->push_back(base + b);
        out->push_back(base + c);
    }
};

} // namespace

bool isFaceMode(GLenum mode)
{
    switch (mode) {
    case GL_TRIANGLES:
    case GL_TRIANGLE_STRIP:
    case GL_TRIANGLE_FAN:
    case GL_QUADS:
    case GL_QUAD_STRIP:
    case GL_POLYGON:
        return true;
    default:
        return false;
    }
}

bool isFaceGeometry(const osg::Geometry& geometry)
{
    for (unsigned int i = 0; i < geometry.getNumPrimitiveSets(); ++i) {
        const osg::PrimitiveSet* ps = geometry.getPrimitiveSet(i);
        if (ps && isFaceMode(ps->getMode()))
            return true;
    }
    return false;
}

void appendTriangles(const osg::PrimitiveSet& primitives, std::vector<unsigned int>& out, unsigned int base)
{
    osg::TriangleIndexFunctor<IndexSink> functor;
    functor.out = &out;
    functor.base = base;
    primitives.accept(functor);
}

void appendTriangles(const osg::Geometry& geometry, std::vector<unsigned int>& out, unsigned int base)
{
    for (unsigned int i = 0; i < geometry.getNumPrimitiveSets(); ++i) {
        if (const osg::PrimitiveSet* ps = geometry.getPrimitiveSet(i))
            appendTriangles(*ps, out, base);
    }
}

} // namespace Vantor
