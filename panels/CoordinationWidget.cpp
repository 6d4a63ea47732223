#include "panels/CoordinationWidget.h"

CoordinationWidget::CoordinationWidget(QWidget* parent) : QWidget(parent) {}

void CoordinationWidget::resetTree() {}

void CoordinationWidget::updatePMITree(const std::list<osg::ref_ptr<osg::Node>>&) {}
