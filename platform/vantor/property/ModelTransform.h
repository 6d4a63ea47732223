#pragma once

#include "vantor/command/NodePtrList.h"

#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/Node>

#include <vector>

namespace Vantor {

class ISelectionManager;

// Matrix arithmetic shared by the draggers, the explosions and the alignments. "World" is the frame of
// the view's scene data (cameras ignored), which is also the frame the draggers report their motion in.
namespace ModelTransform {

// Every element finite and the upper 3x3 not collapsed; a matrix failing this never reaches a model.
bool isSound(const osg::Matrixd& matrix);

// The node's local matrix after the world motion `motion` is applied to it, starting from `startLocal`.
osg::Matrixd localAfterWorldMotion(const osg::Node* node, const osg::Matrixd& startLocal, const osg::Matrixd& motion);

// The models a transform tool acts on: the selection's top nodes, a body standing for its model, a
// model dropped when a model above it is also taken. In selection order.
std::vector<osg::ref_ptr<osg::MatrixTransform>> selectedModels(ISelectionManager* selection);

// World box centre of the nodes (the origin when they have no geometry).
osg::Vec3d worldCenter(const std::vector<osg::ref_ptr<osg::MatrixTransform>>& nodes);

} // namespace ModelTransform
} // namespace Vantor
