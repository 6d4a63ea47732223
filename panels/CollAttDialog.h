#pragma once

#include "ui_CollAttDialog.h"

#include <osg/Node>
#include <osg/observer_ptr>

#include <QDialog>

#include <map>
#include <string>

namespace Vantor { class AnnotationInfo; }

// Shows, and on request edits, the collaboration attributes of one note, measure or section: when it was
// made, who made it, who reviews it and its review state. The fields start disabled (viewing); the panel
// calls setEditable(true) for editing. OK while viewing writes nothing; OK while editing sets the four keys
// "Time", "Creater", "Searcher" and "State" and keeps every other key of the annotation's map.
class CollaborativeAttributeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CollaborativeAttributeDialog(osg::Node* node);
    ~CollaborativeAttributeDialog() override;

    // Enables or disables the four fields; enabled fields mean editing.
    void setEditable(bool editable);
    bool isEditable() const;

    Ui::CollAttDialog* ui() { return &m_ui; }
    osg::Node* target() const { return m_target.get(); }
    const std::map<std::string, std::string>& attributes() const { return attributes_; }

    // The attribute holder of a note, measure or section; null for anything else.
    static Vantor::AnnotationInfo* annotationOf(osg::Node* node);

public slots:
    void saveAttributes();
    void resetForm();

private:
    Ui::CollAttDialog m_ui;
    // Not owned: the annotation may be removed (by a host request) while the dialog runs.
    osg::observer_ptr<osg::Node> m_target;
    std::map<std::string, std::string> attributes_;
};
