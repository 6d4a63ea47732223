#include "vantor/explode/ExplodeCommands.h"

#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/model/Model.h"
#include "vantor/property/ModelTransform.h"
#include "vantor/util/StrUtil.h"

#include <osgManipulator/TranslateAxisDragger>

#include <algorithm>
#include <cmath>

namespace Vantor {

std::vector<osg::Vec3d> explodeOffsets(ExplodeKind kind, const osg::Vec3d& center, const osg::Vec3d& axis,
                                       const std::vector<osg::Vec3d>& partCenters, double amount)
{
    std::vector<osg::Vec3d> offsets;
    offsets.reserve(partCenters.size());
    const double length = axis.length();
    const osg::Vec3d unit = length > 0.0 && std::isfinite(length) ? axis / length : osg::Vec3d();
    const bool noAxis = kind != ExplodeKind::Center && unit.length2() == 0.0;
    for (const osg::Vec3d& part : partCenters) {
        const osg::Vec3d offset = part - center;
        osg::Vec3d move;
        if (noAxis || !std::isfinite(amount))
            move = osg::Vec3d();
        else if (kind == ExplodeKind::Axis)
            move = unit * (offset * unit);
        else if (kind == ExplodeKind::Radial)
            move = offset - unit * (offset * unit);
        else
            move = offset;
        offsets.push_back(move * (std::isfinite(amount) ? amount : 0.0));
    }
    return offsets;
}

osg::ref_ptr<osgManipulator::Dragger> ExplodeTransformDraggerCommand::makeDragger()
{
    osg::ref_ptr<osgManipulator::TranslateAxisDragger> dragger = new osgManipulator::TranslateAxisDragger;
    dragger->setAxisLineWidth(3.0f);
    dragger->setPickCylinderRadius(0.06f);
    dragger->setupDefaultGeometry();
    dragger->setName("ExplodeDragger");
    return dragger;
}

bool ExplodeTransformDraggerCommand::collectTargets(osg::Node* sceneData,
                                                    std::vector<osg::ref_ptr<osg::MatrixTransform>>& targets,
                                                    osg::Vec3d& pivot)
{
    auto manager = getCommandManager();
    const auto selected = ModelTransform::selectedModels(manager ? manager->getSelectionManager() : nullptr);
    Model* assembly = nullptr;
    if (!selected.empty()) {
        assembly = dynamic_cast<Model*>(selected.front().get());
        // A part stands for the assembly it belongs to.
        if (assembly && assembly->getModelChildrenNum() == 0 && assembly->getNumParents() > 0)
            assembly = dynamic_cast<Model*>(assembly->getParent(0));
    }
    if (!assembly)
        assembly = Model::GetTopModel(sceneData).get();
    // A top model that holds a single assembly: pull that one apart.
    while (assembly && assembly->getModelChildrenNum() == 1 && assembly->getModelChild(0)->getModelChildrenNum() > 0)
        assembly = assembly->getModelChild(0);
    if (!assembly || assembly->getModelChildrenNum() < 2) {
        showTip(StrUtil::translate("ExplodeCommand", "请选择含有多个零件的装配体"));
        return false;
    }
    NodePtrList parts;
    for (unsigned int i = 0; i < assembly->getModelChildrenNum(); ++i) {
        targets.push_back(assembly->getModelChild(i));
        parts.push_back(assembly->getModelChild(i));
    }
    const osg::BoundingBoxd box = OsgHelper::computeNodesMergeWorldBoundBox(parts);
    if (!box.valid())
        return false;
    m_center = box.center();
    m_radius = std::max(box.radius(), 1e-9);
    pivot = m_center;
    return true;
}

void ExplodeTransformDraggerCommand::dragStarted()
{
    m_partCenters.clear();
    for (const auto& target : m_targets) {
        const osg::BoundingBoxd box = OsgHelper::getNodeWorldBoundingBox(target.get());
        m_partCenters.push_back(box.valid() ? box.center() : osg::Vec3d() * worldMatrixOf(target.get()));
    }
    m_offsets.clear();
    m_lastMotion = osg::Matrixd();
}

std::string ExplodeTransformDraggerCommand::runningTip() const
{
    return StrUtil::translate("ExplodeCommand", "拖动箭头把装配体的零件拉开，反向拖动收拢，按 Esc 结束");
}

osg::Matrixd ExplodeTransformDraggerCommand::movedMatrix(std::size_t i, const osg::Matrixd& start, const osg::Matrixd& worldMotion)
{
    // The drag's translation gives the axis (its direction) and the amount (its length over the radius).
    if (i == 0 || m_offsets.size() != m_targets.size() || !(worldMotion == m_lastMotion)) {
        m_lastMotion = worldMotion;
        const osg::Vec3d drag = worldMotion.getTrans();
        // Which way along the axis: the dragger's arrows are the world axes, so the drag's largest
        // component tells the arrow and its sign the direction.
        osg::Vec3d axis;
        int biggest = 0;
        for (int c = 1; c < 3; ++c) {
            if (std::abs(drag[c]) > std::abs(drag[biggest]))
                biggest = c;
        }
        axis[biggest] = 1.0;
        const double amount = drag[biggest] / m_radius;
        m_offsets = explodeOffsets(kind(), m_center, axis, m_partCenters, amount);
    }
    if (i >= m_offsets.size())
        return start;
    return ModelTransform::localAfterWorldMotion(m_targets[i].get(), start, osg::Matrixd::translate(m_offsets[i]));
}

} // namespace Vantor
