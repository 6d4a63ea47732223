#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QString>

class QAction;
class SceneView;

// What the system settings put into effect in the running program. The main window implements it; the
// settings dialog knows nothing more of the window.
class SettingsTarget
{
public:
    virtual ~SettingsTarget() = default;

    virtual SceneView* sceneView() const = 0;
    // The tools the quick-access strip may offer, by key.
    virtual QMap<QString, QAction*> getActions() const = 0;
    virtual void setQuickAccess(QList<QString> keys) = 0;

    virtual void setCollisionColor(const QColor& pairColour, const QColor& contactColour) = 0;
    virtual void setPreselectionColor(QColor color) = 0;
    virtual void setselectionColor(QColor color) = 0;
    virtual void setAllowPreSelected(bool on) = 0;
    virtual void setAllowMultiSelected(bool on) = 0;

    virtual void setSnapshotTransparentBackground(bool transparent) = 0;

    virtual void setSectionShow(bool show) = 0;
    virtual void setSectionColor(QColor color) = 0;
    virtual void setSectionTransparent(float value) = 0;

    // Reader options, taken by the loader before its next read.
    virtual void setReadPMI(bool on) = 0;
    virtual void setReadEdge(bool on) = 0;
    virtual void serMergeFace(bool on) = 0;
};
