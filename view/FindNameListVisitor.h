#pragma once

#include <QStringList>
#include <osg/NodeVisitor>

// Collects the names of every node below a node (hidden ones too), depth first, repeats included.
class FindNameListVisitor : public osg::NodeVisitor
{
public:
    FindNameListVisitor();

    void apply(osg::Node& node) override;

    QStringList names;
};
