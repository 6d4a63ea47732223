#pragma once

#include <osg/Node>
#include <osg/ref_ptr>

#include <QWidget>

#include <list>

#include "vantor/command/NodePtrList.h"

namespace Vantor { class ISelectionManager; }

// The annotation panel of measures, notes, sections and PMI.
class CoordinationWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CoordinationWidget(QWidget* parent = nullptr);

    void setSelectionManager(Vantor::ISelectionManager* manager) { m_selectionManager = manager; }
    void resetTree();
    void updatePMITree(const std::list<osg::ref_ptr<osg::Node>>& pmiNodes);

private:
    Vantor::ISelectionManager* m_selectionManager = nullptr;

signals:
    void selectNode(NodePtrList nodes, bool add);
    void unSelectNode(NodePtrList nodes);
};
