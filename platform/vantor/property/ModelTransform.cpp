#include "vantor/property/ModelTransform.h"

#include "vantor/command/ISelectionManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"

#include <algorithm>
#include <cmath>

namespace Vantor {
namespace ModelTransform {

namespace {

bool isAbove(const osg::Node* ancestor, const osg::Node* node)
{
    for (const osg::NodePath& path : const_cast<osg::Node*>(node)->getParentalNodePaths()) {
        if (std::find(path.begin(), path.end() - 1, ancestor) != path.end() - 1)
            return true;
    }
    return false;
}

} // namespace

bool isSound(const osg::Matrixd& matrix)
{
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite(matrix.ptr()[i]))
            return false;
    }
    const double det = matrix(0, 0) * (matrix(1, 1) * matrix(2, 2) - matrix(1, 2) * matrix(2, 1)) -
                       matrix(0, 1) * (matrix(1, 0) * matrix(2, 2) - matrix(1, 2) * matrix(2, 0)) +
                       matrix(0, 2) * (matrix(1, 0) * matrix(2, 1) - matrix(1, 1) * matrix(2, 0));
    return std::isfinite(det) && std::abs(det) > 1e-12;
}

osg::Matrixd localAfterWorldMotion(const osg::Node* node, const osg::Matrixd& startLocal, const osg::Matrixd& motion)
{
    const osg::Matrixd parent = parentWorldMatrixOf(node);
    osg::Matrixd inverse;
    if (!inverse.invert(parent))
        return startLocal;
    return startLocal * parent * motion * inverse;
}

std::vector<osg::ref_ptr<osg::MatrixTransform>> selectedModels(ISelectionManager* selection)
{
    std::vector<osg::ref_ptr<osg::MatrixTransform>> models;
    if (!selection)
        return models;
    for (const osg::ref_ptr<osg::Node>& node : selection->getSelectedList()) {
        osg::Node* candidate = node.get();
        if (candidate && Body::isBody(candidate) && candidate->getNumParents() > 0)
            candidate = candidate->getParent(0);
        if (!candidate || !Model::isModel(candidate))
            continue;
        auto* model = static_cast<Model*>(candidate);
        if (std::find(models.begin(), models.end(), model) == models.end())
            models.push_back(model);
    }
    // A model below another chosen one moves with it already.
    std::vector<osg::ref_ptr<osg::MatrixTransform>> top;
    for (const auto& model : models) {
        const bool covered = std::any_of(models.begin(), models.end(), [&](const osg::ref_ptr<osg::MatrixTransform>& other) {
            return other != model && isAbove(other.get(), model.get());
        });
        if (!covered)
            top.push_back(model);
    }
    return top;
}

osg::Vec3d worldCenter(const std::vector<osg::ref_ptr<osg::MatrixTransform>>& nodes)
{
    NodePtrList list;
    for (const auto& node : nodes)
        list.push_back(node.get());
    const osg::BoundingBoxd box = OsgHelper::computeNodesMergeWorldBoundBox(list);
    return box.valid() ? box.center() : osg::Vec3d();
}

} // namespace ModelTransform
} // namespace Vantor
