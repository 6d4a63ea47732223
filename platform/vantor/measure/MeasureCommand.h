#pragma once

#include "vantor/command/Command.h"
#include "vantor/command/MouseState.h"
#include "vantor/measure/Measure.h"
#include "vantor/measure/MeasureGeometry.h"

#include <osg/Group>
#include <osg/observer_ptr>
#include <osgViewer/View>

#include <string>
#include <vector>

namespace Vantor {

class MeasureManager;

// Adds a finished measure to its manager; undo takes it out again.
class AddMeasureCommand : public Command
{
public:
    AddMeasureCommand(osg::ref_ptr<MeasureManager> manager, osg::ref_ptr<Measure> measure);
    std::string Type() override { return "AddMeasureCommand"; }
    std::string Name() override { return "AddMeasureCommand"; }
    bool Execute() override;
    bool Unexecute() override;

private:
    osg::observer_ptr<MeasureManager> m_manager;
    osg::ref_ptr<Measure> m_measure;
};

// Base of the interactive measures. Driven by the view's events: it tells the user what to pick next,
// highlights what lies under the cursor, takes clicks on visible geometry that no section cuts away and,
// once it has all it needs, adds its Measure to the scene's MeasureManager through an AddMeasureCommand,
// the one undo step a measure leaves. Picking itself is no step of the history. Escape or a right click
// cancels.
class MeasureCommand : public Command
{
public:
    enum Pick {
        PickPoint,  // a point on a face, snapped to a nearby corner
        PickEdge,   // an edge
        PickFace,   // a face
        PickCircle, // a circular edge or a round face: its centre
        PickShaft,  // a cylindrical face or a circular edge: its axis
        PickBody    // a whole body
    };
    enum Quantity { Length, Angle, Area, Volume };

    struct Picked
    {
        Pick kind = PickPoint;
        osg::Vec3d point;
        MeasureGeo::Edge edge;
        MeasureGeo::Face face;
        bool isEdge = false; // a circle or shaft taken from an edge rather than a face
        const osg::Node* body = nullptr;
    };

    std::string Type() override { return m_type; }
    std::string Name() override { return m_type; }
    bool Execute() override;
    bool Cancel() override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;

    // One click at normalised window coordinates (-1..1) in that view; true when it was taken.
    bool clickAt(osgViewer::View* view, double xNormalized, double yNormalized);
    // Ends a measure that takes any number of picks (area, volume) with what it has.
    bool finishPicking();

    const std::vector<Picked>& picks() const { return m_picks; }
    osg::ref_ptr<Measure> getMeasure() const { return m_measure; }
    // The last tip shown (UTF-8).
    const std::string& tip() const { return m_tip; }

    // A value in model millimetres as the settings show it ("12.50 mm").
    static std::string formatValue(double value, Quantity quantity);

protected:
    MeasureCommand(std::string type, std::vector<Pick> stages, Quantity quantity, const char* title);

    // The result of the picks; an error text in the result refuses them.
    virtual MeasureGeo::Result compute(const std::vector<Picked>& picks) = 0;
    // Whether this pick is acceptable at its stage (a message tells why not).
    virtual bool accept(const Picked& pick, std::string& why);
    virtual Measure* newMeasure() const { return new Measure; }
    // Tells the user what the next click should hit.
    virtual std::string stageTip(std::size_t stage) const;

    bool repeating() const { return m_repeat; }

private:
    bool pick(osgViewer::View* view, double x, double y, Pick kind, Picked& out);
    void updateHighlight(const Picked* pick);
    void clearHighlight();
    void complete();
    void cancelRun();
    void say(const std::string& text);
    void publishLive(double value, bool close = false);
    osg::ref_ptr<MeasureManager> findManager() const;

    std::string m_type;
    std::vector<Pick> m_stages;
    Quantity m_quantity;
    std::string m_title;
    bool m_repeat = false; // area and volume: one stage taken again and again
    std::vector<Picked> m_picks;
    osg::ref_ptr<Measure> m_measure;
    osg::ref_ptr<Measure> m_live;
    osg::observer_ptr<MeasureManager> m_manager;
    osg::observer_ptr<osgViewer::View> m_view;
    osg::ref_ptr<osg::Group> m_highlight;
    osg::observer_ptr<osg::Group> m_highlightParent;
    std::string m_tip;
    MouseState m_press;
    int m_pushButton = 0;
};

} // namespace Vantor
