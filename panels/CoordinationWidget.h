#pragma once

#include <osg/Node>
#include <osg/ref_ptr>

#include <QWidget>

#include <list>

typedef std::list<osg::ref_ptr<osg::Node>> NodePtrList;

// The annotation panel of measures, notes, sections and PMI. Placeholder: signals and the
// operations the main window calls are final.
class CoordinationWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CoordinationWidget(QWidget* parent = nullptr);

    void resetTree();
    void updatePMITree(const std::list<osg::ref_ptr<osg::Node>>& pmiNodes);

signals:
    void selectNode(NodePtrList nodes, bool add);
    void unSelectNode(NodePtrList nodes);
};
