<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CToolkit</name>
    <message>
        <source>Quick tools</source>
        <translation>Quick tools</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Load root scene</source>
        <translation>Load root scene</translation>
    </message>
    <message>
        <source>Save root scene</source>
        <translation>Save root scene</translation>
    </message>
    <message>
        <source>delete all Keyframe</source>
        <translation>delete all Keyframe</translation>
    </message>
    <message>
        <source>play</source>
        <translation>play</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>ReversePlay</source>
        <translation>ReversePlay</translation>
    </message>
    <message>
        <source>CyclicPlay</source>
        <translation>CyclicPlay</translation>
    </message>
    <message>
        <source>CameraPlay</source>
        <translation>CameraPlay</translation>
    </message>
    <message>
        <source>other</source>
        <translation>other</translation>
    </message>
    <message>
        <source>Time set</source>
        <translation>Time set</translation>
    </message>
    <message>
        <source>Time axle</source>
        <translation>Time axle</translation>
    </message>
    <message>
        <source>Play time</source>
        <translation>Play time</translation>
    </message>
    <message>
        <source>PlaySpeed:</source>
        <translation>PlaySpeed:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>System setting</source>
        <translation>System setting</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Roam</source>
        <translation>Roam</translation>
    </message>
    <message>
        <source>Review</source>
        <translation>Review</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Relation</source>
        <translation>Relation</translation>
    </message>
    <message>
        <source>Animation</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>begin</source>
        <translation>begin</translation>
    </message>
    <message>
        <source>3D view</source>
        <translation>3D view</translation>
    </message>
    <message>
        <source>Level of detail</source>
        <translation>Level of detail</translation>
    </message>
    <message>
        <source>Status information</source>
        <translation>Status information</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Structure</source>
        <translation>Structure</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>XDirection</source>
        <translation>XDirection</translation>
    </message>
    <message>
        <source>YDirection</source>
        <translation>YDirection</translation>
    </message>
    <message>
        <source>ZDirection</source>
        <translation>ZDirection</translation>
    </message>
    <message>
        <source>XOppositeDirection</source>
        <translation>XOppositeDirection</translation>
    </message>
    <message>
        <source>YOppositeDirection</source>
        <translation>YOppositeDirection</translation>
    </message>
    <message>
        <source>ZOppositeDirection</source>
        <translation>ZOppositeDirection</translation>
    </message>
    <message>
        <source>FlatRender</source>
        <translation>FlatRender</translation>
    </message>
    <message>
        <source>LineRender</source>
        <translation>LineRender</translation>
    </message>
    <message>
        <source>PointRender</source>
        <translation>PointRender</translation>
    </message>
    <message>
        <source>BlackingRender</source>
        <translation>BlackingRender</translation>
    </message>
    <message>
        <source>TransparentShow</source>
        <translation>TransparentShow</translation>
    </message>
    <message>
        <source>ShowEdge</source>
        <translation>ShowEdge</translation>
    </message>
    <message>
        <source>FrontView</source>
        <translation>FrontView</translation>
    </message>
    <message>
        <source>BackView</source>
        <translation>BackView</translation>
    </message>
    <message>
        <source>LeftView</source>
        <translation>LeftView</translation>
    </message>
    <message>
        <source>RightView</source>
        <translation>RightView</translation>
    </message>
    <message>
        <source>BottomView</source>
        <translation>BottomView</translation>
    </message>
    <message>
        <source>IsodraftView</source>
        <translation>IsodraftView</translation>
    </message>
    <message>
        <source>delete all keyframe</source>
        <translation>delete all keyframe</translation>
    </message>
    <message>
        <source>delete select keyfame</source>
        <translation>delete select keyfame</translation>
    </message>
    <message>
        <source>delete camera keyframe</source>
        <translation>delete camera keyframe</translation>
    </message>
    <message>
        <source>PntToPntDistance</source>
        <translation>PntToPntDistance</translation>
    </message>
    <message>
        <source>PntToLineDistance</source>
        <translation>PntToLineDistance</translation>
    </message>
    <message>
        <source>PntToFaceDistance</source>
        <translation>PntToFaceDistance</translation>
    </message>
    <message>
        <source>LineToLineDistance</source>
        <translation>LineToLineDistance</translation>
    </message>
    <message>
        <source>LineToFaceDistance</source>
        <translation>LineToFaceDistance</translation>
    </message>
    <message>
        <source>FaceToFaceDistance</source>
        <translation>FaceToFaceDistance</translation>
    </message>
    <message>
        <source>CenterToCenterDistance</source>
        <translation>CenterToCenterDistance</translation>
    </message>
    <message>
        <source>ShaftToShaftDistance</source>
        <translation>ShaftToShaftDistance</translation>
    </message>
    <message>
        <source>LineToLineAngle</source>
        <translation>LineToLineAngle</translation>
    </message>
    <message>
        <source>LineToFaceAngle</source>
        <translation>LineToFaceAngle</translation>
    </message>
    <message>
        <source>FaceToFaceAngle</source>
        <translation>FaceToFaceAngle</translation>
    </message>
    <message>
        <source>LineDistance</source>
        <translation>LineDistance</translation>
    </message>
    <message>
        <source>EllipseDistance</source>
        <translation>EllipseDistance</translation>
    </message>
    <message>
        <source>RadiusDis</source>
        <translation>RadiusDis</translation>
    </message>
    <message>
        <source>DiameterDis</source>
        <translation>DiameterDis</translation>
    </message>
    <message>
        <source>SurfaceArea</source>
        <translation>SurfaceArea</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>PointsAlign</source>
        <translation>PointsAlign</translation>
    </message>
    <message>
        <source>LinesAlign</source>
        <translation>LinesAlign</translation>
    </message>
    <message>
        <source>FacesAlign</source>
        <translation>FacesAlign</translation>
    </message>
    <message>
        <source>LineToFaceAlign</source>
        <translation>LineToFaceAlign</translation>
    </message>
    <message>
        <source>RectNote</source>
        <translation>RectNote</translation>
    </message>
    <message>
        <source>CircleNote</source>
        <translation>CircleNote</translation>
    </message>
    <message>
        <source>EllipseNote</source>
        <translation>EllipseNote</translation>
    </message>
    <message>
        <source>BrushNote</source>
        <translation>BrushNote</translation>
    </message>
    <message>
        <source>resetDockFloating</source>
        <translation>resetDockFloating</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>NodeColor</source>
        <translation>NodeColor</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>Parallel projection</source>
        <translation>Parallel projection</translation>
    </message>
    <message>
        <source>navigation</source>
        <translation>navigation</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Translation</source>
        <translation>Translation</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Adapt</source>
        <translation>Adapt</translation>
    </message>
    <message>
        <source>FullScreen</source>
        <translation>FullScreen</translation>
    </message>
    <message>
        <source>show/hide</source>
        <translation>show/hide</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>Isolation</source>
        <translation>Isolation</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>ViewDirection</source>
        <translation>ViewDirection</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Take snapShot</source>
        <translation>Take snapShot</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Basic view</source>
        <translation>Basic view</translation>
    </message>
    <message>
        <source>Axis view</source>
        <translation>Axis view</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Add to</source>
        <translation>Add to</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Last View</source>
        <translation>Last View</translation>
    </message>
    <message>
        <source>Next View</source>
        <translation>Next View</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Third person</source>
        <translation>Third person</translation>
    </message>
    <message>
        <source>Gravity model</source>
        <translation>Gravity model</translation>
    </message>
    <message>
        <source>Obstacles</source>
        <translation>Obstacles</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Distances</source>
        <translation>Distances</translation>
    </message>
    <message>
        <source>Angles</source>
        <translation>Angles</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Diameter</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>MeasureProperty</source>
        <translation>MeasureProperty</translation>
    </message>
    <message>
        <source>Notations</source>
        <translation>Notations</translation>
    </message>
    <message>
        <source>New-built</source>
        <translation>New-built</translation>
    </message>
    <message>
        <source>3DNote</source>
        <translation>3DNote</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Establish</source>
        <translation>Establish</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>ClipSelected</source>
        <translation>ClipSelected</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Reset Position</source>
        <translation>Reset Position</translation>
    </message>
    <message>
        <source>Reset Color</source>
        <translation>Reset Color</translation>
    </message>
    <message>
        <source>Reset Transparent</source>
        <translation>Reset Transparent</translation>
    </message>
    <message>
        <source>Resolve</source>
        <translation>Resolve</translation>
    </message>
    <message>
        <source>Free drop</source>
        <translation>Free drop</translation>
    </message>
    <message>
        <source>Directional drop</source>
        <translation>Directional drop</translation>
    </message>
    <message>
        <source>Along axial</source>
        <translation>Along axial</translation>
    </message>
    <message>
        <source>设置枢轴</source>
        <translation>Set pivot</translation>
    </message>
    <message>
        <source>重置枢轴</source>
        <translation>Reset pivot</translation>
    </message>
    <message>
        <source>Explode</source>
        <translation>Explode</translation>
    </message>
    <message>
        <source>Axis explode</source>
        <translation>Axis explode</translation>
    </message>
    <message>
        <source>Radial explode</source>
        <translation>Radial explode</translation>
    </message>
    <message>
        <source>Center explode</source>
        <translation>Center explode</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>Alignment</translation>
    </message>
    <message>
        <source>LockPosition</source>
        <translation>LockPosition</translation>
    </message>
    <message>
        <source>Combine</source>
        <translation>Combine</translation>
    </message>
    <message>
        <source>CombineAll</source>
        <translation>CombineAll</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>test</source>
        <translation>test</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Collision List</source>
        <translation>Collision List</translation>
    </message>
    <message>
        <source>Hide Collision Effect</source>
        <translation>Hide Collision Effect</translation>
    </message>
    <message>
        <source>Show Collision Model</source>
        <translation>Show Collision Model</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>linear velocity</source>
        <translation>linear velocity</translation>
    </message>
    <message>
        <source>scan</source>
        <translation>scan</translation>
    </message>
    <message>
        <source>m/s</source>
        <translation>m/s</translation>
    </message>
    <message>
        <source>angular velocity</source>
        <translation>angular velocity</translation>
    </message>
</context>
<context>
    <name>SARibbonBar</name>
    <message>
        <source>Ribbon</source>
        <translation>Ribbon</translation>
    </message>
    <message>
        <source>Application menu</source>
        <translation>Application menu</translation>
    </message>
    <message>
        <source>Ribbon pages</source>
        <translation>Ribbon pages</translation>
    </message>
    <message>
        <source>Ribbon buttons</source>
        <translation>Ribbon buttons</translation>
    </message>
</context>
<context>
    <name>SARibbonCategory</name>
    <message>
        <source>Scroll left</source>
        <translation>Scroll left</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>Scroll right</translation>
    </message>
</context>
<context>
    <name>SARibbonQuickAccessBar</name>
    <message>
        <source>Quick access</source>
        <translation>Quick access</translation>
    </message>
</context>
</TS>
