<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutDialogClass</name>
    <message>
        <source>关于 Nerio3d</source>
        <translation>About Nerio3d</translation>
    </message>
    <message>
        <source>&lt;p align=&quot;center&quot;&gt;&lt;b&gt;Nerio3d 三维模型浏览器&lt;/b&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;版本 %1&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;构建 %2&lt;/p&gt;</source>
        <translation>&lt;p align=&quot;center&quot;&gt;&lt;b&gt;Nerio3d 3D Model Viewer&lt;/b&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;Version %1&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;Build %2&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>OSG viewer</source>
        <translation>OSG viewer</translation>
    </message>
    <message>
        <source>Usage: </source>
        <translation>Usage: </translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[options]</translation>
    </message>
    <message>
        <source>filename</source>
        <translation>filename</translation>
    </message>
    <message>
        <source> --help                 - displays this help.</source>
        <translation> --help                 - displays this help.</translation>
    </message>
    <message>
        <source> --reset-config         - clear the saved preference parameters.</source>
        <translation> --reset-config         - clear the saved preference parameters.</translation>
    </message>
    <message>
        <source>translations path %1</source>
        <translation>translations path %1</translation>
    </message>
    <message>
        <source>setting language to : %1</source>
        <translation>setting language to : %1</translation>
    </message>
    <message>
        <source>successfully loaded data from %1</source>
        <translation>successfully loaded data from %1</translation>
    </message>
    <message>
        <source>failed to load data from %1</source>
        <translation>failed to load data from %1</translation>
    </message>
    <message>
        <source>No translation file found in (%1)</source>
        <translation>No translation file found in (%1)</translation>
    </message>
    <message>
        <source>You can set a path to resources with the environment variable %1</source>
        <translation>You can set a path to resources with the environment variable %1</translation>
    </message>
    <message>
        <source>The file name %1 given on the command line is not valid text in the system&apos;s encoding (%2); the file cannot be opened by this name.</source>
        <translation>The file name %1 given on the command line is not valid text in the system&apos;s encoding (%2); the file cannot be opened by this name.</translation>
    </message>
    <message>
        <source>The file %1 given on the command line does not exist.</source>
        <translation>The file %1 given on the command line does not exist.</translation>
    </message>
</context>
<context>
    <name>SceneView</name>
    <message>
        <source>PntToPntDistanceCommand</source>
        <translation>Point to point distance</translation>
    </message>
    <message>
        <source>FaceToFaceDistanceCommand</source>
        <translation>Face to face distance</translation>
    </message>
    <message>
        <source>LineToLineDistanceCommand</source>
        <translation>Line to line distance</translation>
    </message>
    <message>
        <source>PntToLineDistanceCommand</source>
        <translation>Point to line distance</translation>
    </message>
    <message>
        <source>PntToFaceDistanceCommand</source>
        <translation>Point to face distance</translation>
    </message>
    <message>
        <source>UpdateSectionCommand</source>
        <translation>Update section</translation>
    </message>
    <message>
        <source>LineToFaceDistanceCommand</source>
        <translation>Line to face distance</translation>
    </message>
    <message>
        <source>CenterToCenterDistanceCommand</source>
        <translation>Centre to centre distance</translation>
    </message>
    <message>
        <source>ShaftToShaftDistanceCommand</source>
        <translation>Shaft to shaft distance</translation>
    </message>
    <message>
        <source>LineToLineAngleCommand</source>
        <translation>Line to line angle</translation>
    </message>
    <message>
        <source>LineToFaceAngleCommand</source>
        <translation>Line to face angle</translation>
    </message>
    <message>
        <source>FaceToFaceAngleCommand</source>
        <translation>Face to face angle</translation>
    </message>
    <message>
        <source>LineDistanceCommand</source>
        <translation>Line length</translation>
    </message>
    <message>
        <source>EllipseDistanceCommand</source>
        <translation>Arc length</translation>
    </message>
    <message>
        <source>RadiusDistanceCommand</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>DiameterDistanceCommand</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>SurfaceAreaCommand</source>
        <translation>Surface area</translation>
    </message>
    <message>
        <source>VolumeCommand</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>CreateSectionCommand</source>
        <translation>New section</translation>
    </message>
    <message>
        <source>PointNoteCommand</source>
        <translation>Point note</translation>
    </message>
    <message>
        <source>ReverseSectionCommand</source>
        <translation>Reverse section</translation>
    </message>
    <message>
        <source>AxisTransformDraggerCommand</source>
        <translation>Directional drag</translation>
    </message>
    <message>
        <source>AxisExplodeTransformDraggerCommand</source>
        <translation>Axial explosion</translation>
    </message>
    <message>
        <source>RadialExplodeTransformDraggerCommand</source>
        <translation>Radial explosion</translation>
    </message>
    <message>
        <source>CenterExplodeTransformDraggerCommand</source>
        <translation>Central explosion</translation>
    </message>
    <message>
        <source>ScaleTransformDraggerCommand</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>RotateTransformDraggerCommand</source>
        <translation>Rotate about an axis</translation>
    </message>
    <message>
        <source>PlaneTransformDraggerCommand</source>
        <translation>Free drag</translation>
    </message>
    <message>
        <source>UpdateAxisLocationCommand</source>
        <translation>Update axis location</translation>
    </message>
    <message>
        <source>PointsAlignmentCommand</source>
        <translation>Point alignment</translation>
    </message>
    <message>
        <source>LinesAlignmentCommand</source>
        <translation>Line alignment</translation>
    </message>
    <message>
        <source>FacesAlignmentCommand</source>
        <translation>Face alignment</translation>
    </message>
    <message>
        <source>LineToFaceAlignmentCommand</source>
        <translation>Line to face alignment</translation>
    </message>
    <message>
        <source>SNoteCommand</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>RectNoteCommand</source>
        <translation>Rectangle markup</translation>
    </message>
    <message>
        <source>CircleNoteCommand</source>
        <translation>Circle markup</translation>
    </message>
    <message>
        <source>EllipseNoteCommand</source>
        <translation>Ellipse markup</translation>
    </message>
    <message>
        <source>BrushNoteCommand</source>
        <translation>Pen markup</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Save changes</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>%1 has changes that are not saved. Save them first?</source>
        <translation>%1 has changes that are not saved. Save them first?</translation>
    </message>
    <message>
        <source>These documents of the model were read only in part: %1.
Your changes are saved, and what the file held is kept in the file beside them, unchanged.</source>
        <translation>These documents of the model were read only in part: %1.
Your changes are saved, and what the file held is kept in the file beside them, unchanged.</translation>
    </message>
    <message>
        <source>notes</source>
        <translation>notes</translation>
    </message>
    <message>
        <source>saved views</source>
        <translation>saved views</translation>
    </message>
    <message>
        <source>sections</source>
        <translation>sections</translation>
    </message>
    <message>
        <source>measures</source>
        <translation>measures</translation>
    </message>
    <message>
        <source>animation</source>
        <translation>animation</translation>
    </message>
    <message>
        <source>Part of this model&apos;s documents could not be read; the file keeps them as they are.</source>
        <translation>Part of this model&apos;s documents could not be read; the file keeps them as they are.</translation>
    </message>
    <message>
        <source>Cannot open the file</source>
        <translation>Cannot open the file</translation>
    </message>
</context>
</TS>
