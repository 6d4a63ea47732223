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
        <translation>Open animation</translation>
    </message>
    <message>
        <source>Save root scene</source>
        <translation>Save animation</translation>
    </message>
    <message>
        <source>delete all Keyframe</source>
        <translation>Delete keyframes</translation>
    </message>
    <message>
        <source>play</source>
        <translation>Play</translation>
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
        <translation>Reverse</translation>
    </message>
    <message>
        <source>CyclicPlay</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>CameraPlay</source>
        <translation>Camera animation</translation>
    </message>
    <message>
        <source>other</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Time set</source>
        <translation>Time settings</translation>
    </message>
    <message>
        <source>Time axle</source>
        <translation>Timeline</translation>
    </message>
    <message>
        <source>Play time</source>
        <translation>Play time</translation>
    </message>
    <message>
        <source>PlaySpeed:</source>
        <translation>Play speed:</translation>
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
        <translation>System settings</translation>
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
        <translation>Section</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>Transform</translation>
    </message>
    <message>
        <source>Relation</source>
        <translation>Interference</translation>
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
        <translation>File</translation>
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
        <translation>X up</translation>
    </message>
    <message>
        <source>YDirection</source>
        <translation>Y up</translation>
    </message>
    <message>
        <source>ZDirection</source>
        <translation>Z up</translation>
    </message>
    <message>
        <source>XOppositeDirection</source>
        <translation>-X up</translation>
    </message>
    <message>
        <source>YOppositeDirection</source>
        <translation>-Y up</translation>
    </message>
    <message>
        <source>ZOppositeDirection</source>
        <translation>-Z up</translation>
    </message>
    <message>
        <source>FlatRender</source>
        <translation>Shaded</translation>
    </message>
    <message>
        <source>LineRender</source>
        <translation>Wireframe</translation>
    </message>
    <message>
        <source>PointRender</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>BlackingRender</source>
        <translation>Hidden lines</translation>
    </message>
    <message>
        <source>TransparentShow</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>ShowEdge</source>
        <translation>Show edges</translation>
    </message>
    <message>
        <source>FrontView</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>BackView</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>LeftView</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>RightView</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>BottomView</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>IsodraftView</source>
        <translation>Isometric</translation>
    </message>
    <message>
        <source>delete all keyframe</source>
        <translation>Delete all keyframes</translation>
    </message>
    <message>
        <source>delete select keyfame</source>
        <translation>Delete selected keyframes</translation>
    </message>
    <message>
        <source>delete camera keyframe</source>
        <translation>Delete camera keyframes</translation>
    </message>
    <message>
        <source>PntToPntDistance</source>
        <translation>Point to point</translation>
    </message>
    <message>
        <source>PntToLineDistance</source>
        <translation>Point to line</translation>
    </message>
    <message>
        <source>PntToFaceDistance</source>
        <translation>Point to face</translation>
    </message>
    <message>
        <source>LineToLineDistance</source>
        <translation>Line to line</translation>
    </message>
    <message>
        <source>LineToFaceDistance</source>
        <translation>Line to face</translation>
    </message>
    <message>
        <source>FaceToFaceDistance</source>
        <translation>Face to face</translation>
    </message>
    <message>
        <source>CenterToCenterDistance</source>
        <translation>Centre to centre</translation>
    </message>
    <message>
        <source>ShaftToShaftDistance</source>
        <translation>Axis to axis</translation>
    </message>
    <message>
        <source>LineToLineAngle</source>
        <translation>Line to line angle</translation>
    </message>
    <message>
        <source>LineToFaceAngle</source>
        <translation>Line to face angle</translation>
    </message>
    <message>
        <source>FaceToFaceAngle</source>
        <translation>Face to face angle</translation>
    </message>
    <message>
        <source>LineDistance</source>
        <translation>Line length</translation>
    </message>
    <message>
        <source>EllipseDistance</source>
        <translation>Arc length</translation>
    </message>
    <message>
        <source>RadiusDis</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>DiameterDis</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>SurfaceArea</source>
        <translation>Surface area</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>PointsAlign</source>
        <translation>Align points</translation>
    </message>
    <message>
        <source>LinesAlign</source>
        <translation>Align lines</translation>
    </message>
    <message>
        <source>FacesAlign</source>
        <translation>Align faces</translation>
    </message>
    <message>
        <source>LineToFaceAlign</source>
        <translation>Align line to face</translation>
    </message>
    <message>
        <source>RectNote</source>
        <translation>Rectangle markup</translation>
    </message>
    <message>
        <source>CircleNote</source>
        <translation>Circle markup</translation>
    </message>
    <message>
        <source>EllipseNote</source>
        <translation>Ellipse markup</translation>
    </message>
    <message>
        <source>BrushNote</source>
        <translation>Pen markup</translation>
    </message>
    <message>
        <source>resetDockFloating</source>
        <translation>Reset docked windows</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Display mode</translation>
    </message>
    <message>
        <source>NodeColor</source>
        <translation>Colour</translation>
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
        <translation>Navigation</translation>
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
        <translation>Fit</translation>
    </message>
    <message>
        <source>FullScreen</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>show/hide</source>
        <translation>Show/Hide</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>Isolation</source>
        <translation>Isolate</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>ViewDirection</source>
        <translation>Up direction</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Take snapShot</source>
        <translation>Snapshot</translation>
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
        <translation>Standard views</translation>
    </message>
    <message>
        <source>Axis view</source>
        <translation>Isometric view</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Add to</source>
        <translation>Add</translation>
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
        <translation>Previous view</translation>
    </message>
    <message>
        <source>Next View</source>
        <translation>Next view</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Third person</source>
        <translation>Third person</translation>
    </message>
    <message>
        <source>Gravity model</source>
        <translation>Gravity</translation>
    </message>
    <message>
        <source>Obstacles</source>
        <translation>Collisions</translation>
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
        <translation>Area and volume</translation>
    </message>
    <message>
        <source>Notations</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>New-built</source>
        <translation>New note</translation>
    </message>
    <message>
        <source>3DNote</source>
        <translation>Markup</translation>
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
        <translation>New section</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>ClipSelected</source>
        <translation>Cut selected</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Reset Position</source>
        <translation>Reset position</translation>
    </message>
    <message>
        <source>Reset Color</source>
        <translation>Reset colour</translation>
    </message>
    <message>
        <source>Reset Transparent</source>
        <translation>Reset transparency</translation>
    </message>
    <message>
        <source>Resolve</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Free drop</source>
        <translation>Free drag</translation>
    </message>
    <message>
        <source>Directional drop</source>
        <translation>Directional drag</translation>
    </message>
    <message>
        <source>Along axial</source>
        <translation>Rotate about axis</translation>
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
        <translation>Axial explosion</translation>
    </message>
    <message>
        <source>Radial explode</source>
        <translation>Radial explosion</translation>
    </message>
    <message>
        <source>Center explode</source>
        <translation>Central explosion</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>Alignment</translation>
    </message>
    <message>
        <source>LockPosition</source>
        <translation>Lock position</translation>
    </message>
    <message>
        <source>Combine</source>
        <translation>Combine</translation>
    </message>
    <message>
        <source>CombineAll</source>
        <translation>Combine all</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>test</source>
        <translation>Interference check</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Collision List</source>
        <translation>Interference list</translation>
    </message>
    <message>
        <source>Hide Collision Effect</source>
        <translation>Clear interference display</translation>
    </message>
    <message>
        <source>Show Collision Model</source>
        <translation>Show interfering parts only</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Walking speed</translation>
    </message>
    <message>
        <source>linear velocity</source>
        <translation>Linear speed</translation>
    </message>
    <message>
        <source>scan</source>
        <translation>Field of view</translation>
    </message>
    <message>
        <source>m/s</source>
        <translation>m/s</translation>
    </message>
    <message>
        <source>angular velocity</source>
        <translation>Angular speed</translation>
    </message>
    <message>
        <source>MenuButtonPopup</source>
        <translation>MenuButtonPopup</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>退出全屏</source>
        <translation>Exit full screen</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>file</source>
        <translation>File</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行点线测量</source>
        <translation>The model has no geometric edges: point to line measures cannot be made</translation>
    </message>
    <message>
        <source>当前模型没有几何面，无法进行点面测量</source>
        <translation>The model has no geometric faces: point to face measures cannot be made</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行线线测量</source>
        <translation>The model has no geometric edges: line to line measures cannot be made</translation>
    </message>
    <message>
        <source>当前模型没有几何属性，无法进行线面测量</source>
        <translation>The model has no geometry: line to face measures cannot be made</translation>
    </message>
    <message>
        <source>当前模型没有几何面，无法进行面面测量</source>
        <translation>The model has no geometric faces: faces cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边线，无法进行圆心距测量</source>
        <translation>The model has no geometric edges: centre distances cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边线，无法进行轴距测量</source>
        <translation>The model has no geometric edges: axis distances cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边或几何面，无法进行线面角度测量</source>
        <translation>The model has no geometric edges or faces: line to face angles cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行线长测量</source>
        <translation>The model has no geometric edges: line lengths cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行弧长测量</source>
        <translation>The model has no geometric edges: arc lengths cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行半径测量</source>
        <translation>The model has no geometric edges: radii cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行直径测量</source>
        <translation>The model has no geometric edges: diameters cannot be measured</translation>
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
