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
    <name>AlignmentCommand</name>
    <message>
        <source>所选特征无效，无法对齐</source>
        <translation>The picked feature is not valid: nothing can be aligned</translation>
    </message>
    <message>
        <source>所选特征没有方向，无法对齐</source>
        <translation>The picked feature has no direction: nothing can be aligned</translation>
    </message>
    <message>
        <source>所选的面不是平面，无法进行面面对齐</source>
        <translation>The picked face is not flat: faces cannot be aligned</translation>
    </message>
    <message>
        <source>所选的面不是平面，无法进行线面对齐</source>
        <translation>The picked face is not flat: the line cannot be aligned to it</translation>
    </message>
    <message>
        <source>所选直线垂直于所选平面，无法进行线面对齐</source>
        <translation>The picked line is perpendicular to the picked face: it cannot be aligned to it</translation>
    </message>
    <message>
        <source>所选的面不是平面，无法将点对齐到面</source>
        <translation>The picked face is not flat: the point cannot be aligned to it</translation>
    </message>
    <message>
        <source>所选特征无法对齐</source>
        <translation>The picked features cannot be aligned</translation>
    </message>
    <message>
        <source>对齐结果无效</source>
        <translation>The alignment gives no valid position</translation>
    </message>
    <message>
        <source>请选择要移动的零件上的点</source>
        <translation>Pick a point on the part to move</translation>
    </message>
    <message>
        <source>请选择目标零件上的点</source>
        <translation>Pick a point on the target part</translation>
    </message>
    <message>
        <source>请选择要移动的零件上的边线</source>
        <translation>Pick an edge on the part to move</translation>
    </message>
    <message>
        <source>请选择目标零件上的边线</source>
        <translation>Pick an edge on the target part</translation>
    </message>
    <message>
        <source>请选择要移动的零件上的平面</source>
        <translation>Pick a flat face on the part to move</translation>
    </message>
    <message>
        <source>请选择目标零件上的平面</source>
        <translation>Pick a flat face on the target part</translation>
    </message>
    <message>
        <source>目标特征必须在另一个零件上</source>
        <translation>The target feature must lie on another part</translation>
    </message>
</context>
<context>
    <name>BookmarkDialog</name>
    <message>
        <source>Bookmark</source>
        <translation>Bookmark</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>cacel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>BookmarkDialogClass</name>
    <message>
        <source>Dialog</source>
        <translation>Bookmark</translation>
    </message>
    <message>
        <source>Name (can&apos;t be empty)</source>
        <translation>Name (can&apos;t be empty)</translation>
    </message>
    <message>
        <source>Bookmark name</source>
        <translation>Bookmark name</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Bookmark description</source>
        <translation>Bookmark description</translation>
    </message>
    <message>
        <source>Dialog buttons</source>
        <translation>Dialog buttons</translation>
    </message>
</context>
<context>
    <name>BookmarkParser</name>
    <message>
        <source>Cannot read file %1: (%2)</source>
        <translation>Cannot read file %1: (%2)</translation>
    </message>
    <message>
        <source>Parse error at line %1, column %2: (%3)</source>
        <translation>Parse error at line %1, column %2: (%3)</translation>
    </message>
    <message>
        <source>The file is not a &quot;Bookmark&quot; file !!</source>
        <translation>The file is not a bookmark file.</translation>
    </message>
    <message>
        <source>Unknown version of bookmark file (%1).</source>
        <translation>Unknown version of bookmark file (%1).</translation>
    </message>
    <message>
        <source>No bookmarks to save</source>
        <translation>No bookmarks to save</translation>
    </message>
    <message>
        <source>Cannot save file %1: (%2)</source>
        <translation>Cannot save file %1: (%2)</translation>
    </message>
</context>
<context>
    <name>BookmarkWidget</name>
    <message>
        <source>Bookmark manager</source>
        <translation>Bookmark manager</translation>
    </message>
    <message>
        <source>Clear bookmarks</source>
        <translation>Clear bookmarks</translation>
    </message>
    <message>
        <source>Delete all the bookmark(s) ?</source>
        <translation>Delete all the bookmarks?</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot; bookmark entry ?</source>
        <translation>Delete the bookmark &quot;%1&quot;?</translation>
    </message>
</context>
<context>
    <name>BookmarkWidgetClass</name>
    <message>
        <source>Add a new bookmark from current view</source>
        <translation>Add a new bookmark from current view</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Refresh all Bookmarks thumnails</source>
        <translation>Refresh all bookmark thumbnails</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Update  bookmark thumbnail and position</source>
        <translation>Update the bookmark thumbnail and position</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Edit bookmark name and description</source>
        <translation>Edit bookmark name and description</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Move down a bookmark</source>
        <translation>Move the bookmark down</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Move up a bookmark</source>
        <translation>Move the bookmark up</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Clear all bookmarks</source>
        <translation>Clear all bookmarks</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Delete Bookmark</source>
        <translation>Delete bookmark</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>BookmarkWidget</source>
        <translation>Bookmarks</translation>
    </message>
    <message>
        <source>Bookmarks</source>
        <translation>Bookmarks</translation>
    </message>
</context>
<context>
    <name>CollisionCancelDialog</name>
    <message>
        <source>干涉检查计算进度</source>
        <translation>Interference check progress</translation>
    </message>
</context>
<context>
    <name>CollisionDialog</name>
    <message>
        <source>Detection object</source>
        <translation>Detection object</translation>
    </message>
    <message>
        <source>object 1 vs object 2</source>
        <translation>Object 1 against object 2</translation>
    </message>
    <message>
        <source>object 1 vs all</source>
        <translation>Object 1 against all</translation>
    </message>
    <message>
        <source>Selected object</source>
        <translation>Selected objects</translation>
    </message>
    <message>
        <source>Detection mode</source>
        <translation>Detection mode</translation>
    </message>
    <message>
        <source>Add to object %1</source>
        <translation>Add to object %1</translation>
    </message>
    <message>
        <source>Remove from object %1</source>
        <translation>Remove from object %1</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Object %1 list</source>
        <translation>Object %1 list</translation>
    </message>
    <message>
        <source>object 1:</source>
        <translation>Object 1:</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>object 2:</source>
        <translation>Object 2:</translation>
    </message>
    <message>
        <source>Detection type:</source>
        <translation>Detection type:</translation>
    </message>
    <message>
        <source>Collision detection</source>
        <translation>Interference detection</translation>
    </message>
    <message>
        <source>Contact (accurate to 0.01mm)</source>
        <translation>Contact (accurate to 0.01 mm)</translation>
    </message>
    <message>
        <source>Clearance inspection</source>
        <translation>Clearance check</translation>
    </message>
    <message>
        <source>Clearance in millimetres</source>
        <translation>Clearance in millimetres</translation>
    </message>
    <message>
        <source>compute</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>m_SceneView == nullptr</source>
        <translation>There is no 3D view</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>NodePtrList is empty</source>
        <translation>No node is selected</translation>
    </message>
    <message>
        <source>Cannot find the selected item</source>
        <translation>Cannot find the selected item</translation>
    </message>
    <message>
        <source>An interference check is still running</source>
        <translation>An interference check is still running</translation>
    </message>
    <message>
        <source>No model is loaded.</source>
        <translation>No model is loaded.</translation>
    </message>
    <message>
        <source>Object 1 has no objects to check.</source>
        <translation>Object 1 holds no objects to check.</translation>
    </message>
    <message>
        <source>Object 2 has no objects to check.</source>
        <translation>Object 2 holds no objects to check.</translation>
    </message>
    <message>
        <source>Type of interference</source>
        <translation>Type of interference</translation>
    </message>
    <message>
        <source>Object 1</source>
        <translation>Object 1</translation>
    </message>
    <message>
        <source>Object 2</source>
        <translation>Object 2</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>选中节点已在对象1列表中。</source>
        <translation>The selected nodes are in the object 1 list already.</translation>
    </message>
    <message>
        <source>选中节点已在对象2列表中。</source>
        <translation>The selected nodes are in the object 2 list already.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>间隙不足</source>
        <translation>Clearance too small</translation>
    </message>
    <message>
        <source>接触</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>干涉</source>
        <translation>Interference</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>CombineProcessDialog</name>
    <message>
        <source>Merge</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>Merge progress</source>
        <translation>Merge progress</translation>
    </message>
    <message>
        <source>Merge step</source>
        <translation>Merge step</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cancel merge</source>
        <translation>Cancel merge</translation>
    </message>
</context>
<context>
    <name>CrashMessage</name>
    <message>
        <source>程序意外崩溃</source>
        <translation>The program stopped unexpectedly</translation>
    </message>
    <message>
        <source>&lt;FONT size=2&gt;&lt;div&gt;&lt;b&gt;对于发生的错误，表示诚挚的歉意。&lt;/b&gt;&lt;br/&gt;&lt;/div&gt;&lt;div&gt;错误代码：%1&lt;/div&gt;&lt;div&gt;错误地址：%2&lt;/div&gt;&lt;/FONT&gt;</source>
        <translation>&lt;FONT size=2&gt;&lt;div&gt;&lt;b&gt;We are sorry for the error.&lt;/b&gt;&lt;br/&gt;&lt;/div&gt;&lt;div&gt;Error code: %1&lt;/div&gt;&lt;div&gt;Error address: %2&lt;/div&gt;&lt;/FONT&gt;</translation>
    </message>
</context>
<context>
    <name>DazoReader</name>
    <message>
        <source>Opening the model</source>
        <translation>Opening the model</translation>
    </message>
    <message>
        <source>Reading the assembly</source>
        <translation>Reading the assembly</translation>
    </message>
    <message>
        <source>Reading the geometry</source>
        <translation>Reading the geometry</translation>
    </message>
    <message>
        <source>Reading the meshes</source>
        <translation>Reading the meshes</translation>
    </message>
    <message>
        <source>Building the scene</source>
        <translation>Building the scene</translation>
    </message>
    <message>
        <source>Reading the bill of materials</source>
        <translation>Reading the bill of materials</translation>
    </message>
    <message>
        <source>Collecting the model</source>
        <translation>Collecting the model</translation>
    </message>
    <message>
        <source>Writing the archive</source>
        <translation>Writing the archive</translation>
    </message>
</context>
<context>
    <name>ExplodeCommand</name>
    <message>
        <source>请选择含有多个零件的装配体</source>
        <translation>Pick an assembly of more than one part</translation>
    </message>
    <message>
        <source>拖动箭头把装配体的零件拉开，反向拖动收拢，按 Esc 结束</source>
        <translation>Drag an arrow to pull the assembly&apos;s parts apart, back to draw them together; Escape ends</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>There is no animation to load into</source>
        <translation>There is no animation to load into</translation>
    </message>
    <message>
        <source>Saving the animation to %1 failed: %2</source>
        <translation>Saving the animation to %1 failed: %2</translation>
    </message>
    <message>
        <source>Saved the animation to %1</source>
        <translation>Saved the animation to %1</translation>
    </message>
    <message>
        <source>The animation %1 was not loaded: %2</source>
        <translation>The animation %1 was not loaded: %2</translation>
    </message>
    <message>
        <source>New bookmark</source>
        <translation>New bookmark</translation>
    </message>
    <message>
        <source>No saved view with the id %1</source>
        <translation>No saved view with the id %1</translation>
    </message>
    <message>
        <source>No bookmarks to save in %1</source>
        <translation>No bookmarks to save in %1</translation>
    </message>
    <message>
        <source>The bookmark file %1 could not be read when the model was opened; it is left as it is.</source>
        <translation>The bookmark file %1 could not be read when the model was opened; it is left as it is.</translation>
    </message>
    <message>
        <source>Saving %1 ...</source>
        <translation>Saving %1 ...</translation>
    </message>
    <message>
        <source>Loading of %1 ...</source>
        <translation>Loading %1 ...</translation>
    </message>
    <message>
        <source>Nothing to load in %1 ...</source>
        <translation>Nothing to load in %1 ...</translation>
    </message>
    <message>
        <source>Type of interference</source>
        <translation>Type of interference</translation>
    </message>
    <message>
        <source>Object 1</source>
        <translation>Object 1</translation>
    </message>
    <message>
        <source>Object 2</source>
        <translation>Object 2</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>No interfering parts to show: run an interference check first</source>
        <translation>No interfering parts to show: run an interference check first</translation>
    </message>
    <message>
        <source>Node colour</source>
        <translation>Node colour</translation>
    </message>
    <message>
        <source>Transparency value</source>
        <translation>Transparency value</translation>
    </message>
    <message>
        <source>A load or save is running; the request was refused.</source>
        <translation>A load or save is running; the request was refused.</translation>
    </message>
    <message>
        <source>on_actionOpen_triggered</source>
        <translation>Open a model file</translation>
    </message>
    <message>
        <source>on_actionOpenExample_triggered</source>
        <translation>Open a sample file</translation>
    </message>
    <message>
        <source>Not a model file: %1</source>
        <translation>Not a model file: %1</translation>
    </message>
    <message>
        <source>Nothing could be read from %1</source>
        <translation>Nothing could be read from %1</translation>
    </message>
    <message>
        <source>The model&apos;s animation was not loaded: %1</source>
        <translation>The model&apos;s animation was not loaded: %1</translation>
    </message>
    <message>
        <source>on_actionSave_triggered</source>
        <translation>Save the model file</translation>
    </message>
    <message>
        <source>on_actionSaveAs_triggered</source>
        <translation>Save the model file as</translation>
    </message>
    <message>
        <source>Use Shift+Left Click to recenter view</source>
        <translation>Shift+left click centres the view</translation>
    </message>
    <message>
        <source>Use Ctrl+Left Click to select element</source>
        <translation>Ctrl+left click selects an element</translation>
    </message>
    <message>
        <source>Log file</source>
        <translation>Log file</translation>
    </message>
    <message>
        <source>Log file (*.log)</source>
        <translation>Log file (*.log)</translation>
    </message>
    <message>
        <source>Can&apos;t save log file !!: %1</source>
        <translation>Can&apos;t save the log file: %1</translation>
    </message>
    <message>
        <source>The help document %1 is not installed.</source>
        <translation>The help document %1 is not installed.</translation>
    </message>
    <message>
        <source>The help document is not installed:
%1</source>
        <translation>The help document is not installed:
%1</translation>
    </message>
    <message>
        <source>No program could open the help document %1.</source>
        <translation>No program could open the help document %1.</translation>
    </message>
    <message>
        <source>No program could open the help document:
%1</source>
        <translation>No program could open the help document:
%1</translation>
    </message>
    <message>
        <source>Host colour for model %1 ignored: not a number</source>
        <translation>Host colour for model %1 ignored: not a number</translation>
    </message>
    <message>
        <source>Host transparency for model %1 ignored: not a number</source>
        <translation>Host transparency for model %1 ignored: not a number</translation>
    </message>
    <message>
        <source>Host command name of %1 characters ignored: %2...</source>
        <translation>Host command name of %1 characters ignored: %2...</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Images (*.png)</source>
        <translation>Images (*.png)</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>Save failed</translation>
    </message>
    <message>
        <source>Error saving file</source>
        <translation>Error saving file</translation>
    </message>
    <message>
        <source>File %1 saved</source>
        <translation>File %1 saved</translation>
    </message>
    <message>
        <source>Structure tree actions</source>
        <translation>Structure tree actions</translation>
    </message>
    <message>
        <source>actionPasteNode</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>The row to insert under is gone; nothing was inserted.</source>
        <translation>The row to insert under is gone; nothing was inserted.</translation>
    </message>
    <message>
        <source>A merge is still running.</source>
        <translation>A merge is still running.</translation>
    </message>
    <message>
        <source>Saving %1 failed: %2</source>
        <translation>Saving %1 failed: %2</translation>
    </message>
    <message>
        <source>Perspective</source>
        <translation>Perspective</translation>
    </message>
    <message>
        <source>LOD x%1</source>
        <translation>LOD x%1</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>保存失败</source>
        <translation>Save failed</translation>
    </message>
    <message>
        <source>动画未能保存：%1
%2</source>
        <translation>The animation was not saved: %1
%2</translation>
    </message>
    <message>
        <source>打开失败</source>
        <translation>Open failed</translation>
    </message>
    <message>
        <source>动画未能打开：%1
%2</source>
        <translation>The animation was not opened: %1
%2</translation>
    </message>
    <message>
        <source>是否移除所有关键帧。</source>
        <translation>Remove all keyframes?</translation>
    </message>
    <message>
        <source>当前模型没有几何面，无法进行面面测量</source>
        <translation type="vanished">The model has no geometric faces: faces cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边线，无法进行圆心距测量</source>
        <translation type="vanished">The model has no geometric edges: centre distances cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边线，无法进行轴距测量</source>
        <translation type="vanished">The model has no geometric edges: axis distances cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行线线测量</source>
        <translation type="vanished">The model has no geometric edges: line to line measures cannot be made</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行点线测量</source>
        <translation type="vanished">The model has no geometric edges: point to line measures cannot be made</translation>
    </message>
    <message>
        <source>当前模型没有几何面，无法进行点面测量</source>
        <translation type="vanished">The model has no geometric faces: point to face measures cannot be made</translation>
    </message>
    <message>
        <source>当前模型没有几何属性，无法进行线面测量</source>
        <translation type="vanished">The model has no geometry: line to face measures cannot be made</translation>
    </message>
    <message>
        <source>当前模型没有几何边或几何面，无法进行线面角度测量</source>
        <translation type="vanished">The model has no geometric edges or faces: line to face angles cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行线长测量</source>
        <translation type="vanished">The model has no geometric edges: line lengths cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行弧长测量</source>
        <translation type="vanished">The model has no geometric edges: arc lengths cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行半径测量</source>
        <translation type="vanished">The model has no geometric edges: radii cannot be measured</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行直径测量</source>
        <translation type="vanished">The model has no geometric edges: diameters cannot be measured</translation>
    </message>
    <message>
        <source>请先选择一个需要修改颜色的模型</source>
        <translation>Select a model to recolour first</translation>
    </message>
    <message>
        <source>请先选择一个需要修改透明度的模型</source>
        <translation>Select a model to make see-through first</translation>
    </message>
    <message>
        <source>正在加载或保存文件，请稍候再试。</source>
        <translation>A file is being loaded or saved: please try again later.</translation>
    </message>
    <message>
        <source>打开模型文件</source>
        <translation>Open model file</translation>
    </message>
    <message>
        <source>Dazo files (*.dazo)</source>
        <translation>Dazo files (*.dazo)</translation>
    </message>
    <message>
        <source>可选择一个样例文件</source>
        <translation>Choose a sample file</translation>
    </message>
    <message>
        <source>不支持的文件类型：%1</source>
        <translation>Not a supported file type: %1</translation>
    </message>
    <message>
        <source>无法读取文件：%1</source>
        <translation>The file could not be read: %1</translation>
    </message>
    <message>
        <source>模型的动画无法读取</source>
        <translation>The model&apos;s animation could not be read</translation>
    </message>
    <message>
        <source>文件保存进行中，请耐心等待！</source>
        <translation>Saving the file, please wait...</translation>
    </message>
    <message>
        <source>保存模型文件到文件夹</source>
        <translation>Save the model file in a folder</translation>
    </message>
    <message>
        <source>文件另存为进行中，请耐心等待！</source>
        <translation>Saving the file as a new file, please wait...</translation>
    </message>
    <message>
        <source>actionCreateAssembly</source>
        <translation>Create assembly</translation>
    </message>
    <message>
        <source>actionInsertNode</source>
        <translation>Insert model</translation>
    </message>
    <message>
        <source>actionRenameNode</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>actionDeleteNode</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>actionCutNode</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>actionCopyNode</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>actionExpandTree</source>
        <translation>Expand all</translation>
    </message>
    <message>
        <source>actionCollapseTree</source>
        <translation>Collapse all</translation>
    </message>
    <message>
        <source>请先选择一个需要隐藏的模型</source>
        <translation>Select a model to hide first</translation>
    </message>
    <message>
        <source>请先选择一个需要隔离的模型</source>
        <translation>Select a model to isolate first</translation>
    </message>
    <message>
        <source>请选择需要合并的节点！</source>
        <translation>Select the nodes to merge.</translation>
    </message>
    <message>
        <source>合并规则：</source>
        <translation>Merge rules:</translation>
    </message>
    <message>
        <source>1) 若一节点下的所有节点都被选中，则合并至该节点。</source>
        <translation>1) When every node below a node is selected, they are merged into that node.</translation>
    </message>
    <message>
        <source>2) 若一节点下的部分节点被选中，则合并为一个MergeModel节点，该节点位于最后。</source>
        <translation>2) When some of the nodes below a node are selected, they are merged into one node &quot;MergeModel&quot;, placed last.</translation>
    </message>
    <message>
        <source>3) 合并命令可能会花费些许时间，请耐心等待！</source>
        <translation>3) A merge may take a while: please be patient.</translation>
    </message>
    <message>
        <source>4) 该操作不可回退，请谨慎执行！</source>
        <translation>4) A merge cannot be undone: go on with care.</translation>
    </message>
    <message>
        <source>1) 所有子节点将被合并至根节点。</source>
        <translation>1) All child nodes are merged into the top node.</translation>
    </message>
    <message>
        <source>2) 合并命令可能会花费些许时间，请耐心等待！</source>
        <translation>2) A merge may take a while: please be patient.</translation>
    </message>
    <message>
        <source>3) 该操作不可回退，请谨慎执行！</source>
        <translation>3) A merge cannot be undone: go on with care.</translation>
    </message>
    <message>
        <source>结构树</source>
        <translation>Structure</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>Views</translation>
    </message>
    <message>
        <source>协同</source>
        <translation>Annotations</translation>
    </message>
    <message>
        <source>时间轴</source>
        <translation>Timeline</translation>
    </message>
    <message>
        <source>保存完毕！</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>Save failed.</translation>
    </message>
    <message>
        <source>文件未能保存：%1
%2</source>
        <translation>The file was not saved: %1
%2</translation>
    </message>
    <message>
        <source>Collision List</source>
        <comment>table</comment>
        <translation>Interference list</translation>
    </message>
    <message>
        <source>Transparency</source>
        <comment>slider</comment>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>Help</source>
        <comment>message box</comment>
        <translation>Help</translation>
    </message>
    <message>
        <source>Collision List</source>
        <comment>dock</comment>
        <translation>Interference list</translation>
    </message>
    <message>
        <source>Parallel projection</source>
        <comment>projection toggle</comment>
        <translation>Parallel projection</translation>
    </message>
    <message>
        <source>The %1 document of %2 was read only in part: %3. A save keeps it as stored unless it is changed.</source>
        <translation>The %1 document of %2 was read only in part: %3. A save keeps it as stored unless it is changed.</translation>
    </message>
    <message numerus="yes">
        <source>%1 holds %n member(s) this program does not read; a save keeps them.</source>
        <translation>
            <numerusform>%1 holds %n member this program does not read; a save keeps it.</numerusform>
            <numerusform>%1 holds %n members this program does not read; a save keeps them.</numerusform>
        </translation>
    </message>
    <message>
        <source>Part of this model&apos;s documents could not be read; the file keeps them as they are.</source>
        <translation>Part of this model&apos;s documents could not be read; the file keeps them as they are.</translation>
    </message>
    <message>
        <source>The unsaved changes of %1 were discarded at the host&apos;s request</source>
        <translation>The unsaved changes of %1 were discarded at the host&apos;s request</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>%1 has changes that are not saved. Save them first?</source>
        <translation>%1 has changes that are not saved. Save them first?</translation>
    </message>
    <message>
        <source>The unsaved changes of %1 were discarded</source>
        <translation>The unsaved changes of %1 were discarded</translation>
    </message>
    <message>
        <source>Saving %1: the changed %2 were read only in part; what the file held is kept beside them</source>
        <translation>Saving %1: the changed %2 were read only in part; what the file held is kept beside them</translation>
    </message>
    <message>
        <source>These documents of the model were read only in part: %1.
Your changes are saved, and what the file held is kept in the file beside them, unchanged.</source>
        <translation>These documents of the model were read only in part: %1.
Your changes are saved, and what the file held is kept in the file beside them, unchanged.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
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
        <source>Cannot open the file</source>
        <translation>Cannot open the file</translation>
    </message>
</context>
<context>
    <name>MeasureProperty</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ModelMergeCommand</name>
    <message>
        <source>Merging models</source>
        <translation>Merging models</translation>
    </message>
</context>
<context>
    <name>MyTreeView</name>
    <message>
        <source>Structure tree</source>
        <translation>Structure tree</translation>
    </message>
</context>
<context>
    <name>ObjectLoader</name>
    <message>
        <source>Loading of %1 ...</source>
        <translation>Loading %1 ...</translation>
    </message>
    <message>
        <source>Optimization of the graph ...</source>
        <translation>Optimizing the scene graph ...</translation>
    </message>
    <message>
        <source>%1 is not a model file</source>
        <translation>%1 is not a model file</translation>
    </message>
    <message>
        <source>%1 is not a bill of materials</source>
        <translation>%1 is not a bill of materials</translation>
    </message>
    <message>
        <source>%1 is not a model file name (.dazo or .liteprt)</source>
        <translation>%1 is not a model file name (.dazo or .liteprt)</translation>
    </message>
    <message>
        <source>The %1 document is not valid JSON and is not saved</source>
        <translation type="vanished">The %1 document is not valid JSON and is not saved</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>There is no model to save</source>
        <translation>There is no model to save</translation>
    </message>
    <message>
        <source>初始化</source>
        <translation>Starting</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>The bill of materials %1 is named by a relative path; give its whole path</source>
        <translation type="vanished">The bill of materials %1 is named by a relative path; give its whole path</translation>
    </message>
</context>
<context>
    <name>OsgTreeModel</name>
    <message>
        <source>&lt;unnamed&gt;</source>
        <translation>&lt;unnamed&gt;</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
</context>
<context>
    <name>PosterImageDialog</name>
    <message>
        <source>Save File</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Images (*.png)</source>
        <translation>Images (*.png)</translation>
    </message>
    <message>
        <source>Poster written to %1</source>
        <translation>Poster written to %1</translation>
    </message>
    <message>
        <source>Poster Image Production</source>
        <translation>Poster image</translation>
    </message>
    <message>
        <source>The poster size must be a multiple of %1 pixels</source>
        <translation>The poster size must be a multiple of %1 pixels</translation>
    </message>
    <message>
        <source>No output file was given for the poster</source>
        <translation>No output file was given for the poster</translation>
    </message>
    <message>
        <source>There is no scene to render</source>
        <translation>There is no scene to render</translation>
    </message>
    <message>
        <source>Not enough memory for a poster of %1 x %1 pixels</source>
        <translation>Not enough memory for a poster of %1 x %1 pixels</translation>
    </message>
    <message>
        <source>No offscreen surface could be made to render the poster</source>
        <translation>No offscreen surface could be made to render the poster</translation>
    </message>
    <message>
        <source>The poster was not finished: %1 of %2 tiles were drawn</source>
        <translation>The poster was not finished: %1 of %2 tiles were drawn</translation>
    </message>
    <message>
        <source>The poster could not be written to %1</source>
        <translation>The poster could not be written to %1</translation>
    </message>
    <message>
        <source>%1x%2 = %3 tile(s)</source>
        <translation>%1x%2 = %3 tiles</translation>
    </message>
</context>
<context>
    <name>PosterImageDialogClass</name>
    <message>
        <source>Poster Image Production</source>
        <translation>Poster image</translation>
    </message>
    <message>
        <source>Nota: to have the same aspect between poster and main view, you have to set the aspect ratio of the primary view to 1:1</source>
        <translation>Note: for the poster to look like the main view, set the main view&apos;s aspect ratio to 1:1</translation>
    </message>
    <message>
        <source>Poster Image  Parameters</source>
        <translation>Poster parameters</translation>
    </message>
    <message>
        <source>Poster size * ** (in pixel)</source>
        <translation>Poster size * ** (in pixels)</translation>
    </message>
    <message>
        <source>Poster size</source>
        <translation>Poster size</translation>
    </message>
    <message>
        <source>(*) the maximum size of poster depends on system memory</source>
        <translation>(*) the largest poster size depends on the memory of the system</translation>
    </message>
    <message>
        <source>(**) size is defined as multiple of 1024 pixels</source>
        <translation>(**) the size is a multiple of 1024 pixels</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>Output file</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose output file</source>
        <translation>Choose output file</translation>
    </message>
    <message>
        <source>Tile Number</source>
        <translation>Tiles</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p%</translation>
    </message>
    <message>
        <source>Poster progress</source>
        <translation>Poster progress</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PreferencesWidget</name>
    <message>
        <source>detected language: %1</source>
        <translation>Detected language: %1</translation>
    </message>
    <message>
        <source>Automatic detection</source>
        <translation>Automatic detection</translation>
    </message>
    <message>
        <source>Default (no use of translation files)</source>
        <translation>Default (no translation files)</translation>
    </message>
    <message>
        <source>The application need to restart in order to take into account new translation
, Do you want to restart application now ?</source>
        <translation>The application needs to restart to use the new language.
Do you want to restart it now?</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>PreferencesWidgetClass</name>
    <message>
        <source>Preferences</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source> Preferences </source>
        <translation> Preferences </translation>
    </message>
    <message>
        <source>Display splashscreen at startup</source>
        <translation>Show the splash screen at start-up</translation>
    </message>
    <message>
        <source>Splashscreen with transparent background</source>
        <translation>Splash screen with a transparent background</translation>
    </message>
    <message>
        <source>Add watermark to snapshot</source>
        <translation>Add a watermark to snapshots</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Detected language ...</source>
        <translation>Detected language ...</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Display trackball helper</source>
        <translation>Show the trackball helper</translation>
    </message>
    <message>
        <source>inverse mouse wheel</source>
        <translation>Inverse mouse wheel</translation>
    </message>
</context>
<context>
    <name>PropertyWidget</name>
    <message>
        <source>Properties</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>USE_BOUNDING_SPHERE_CENTER</source>
        <translation>Bounding sphere centre</translation>
    </message>
    <message>
        <source>USER_DEFINED_CENTER</source>
        <translation>User-defined centre</translation>
    </message>
    <message>
        <source>DISTANCE_FROM_EYE_POINT</source>
        <translation>Distance from the eye</translation>
    </message>
    <message>
        <source>PIXEL_SIZE_ON_SCREEN</source>
        <translation>Pixel size on screen</translation>
    </message>
    <message>
        <source>True</source>
        <translation>True</translation>
    </message>
    <message>
        <source>False</source>
        <translation>False</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Data Variance</source>
        <translation>Data variance</translation>
    </message>
    <message>
        <source>Node Mask</source>
        <translation>Node mask</translation>
    </message>
    <message>
        <source>Center Mode</source>
        <translation>Centre mode</translation>
    </message>
    <message>
        <source>Range Mode</source>
        <translation>Range mode</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Z</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>Radius</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>Range list</source>
        <translation>Range list</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Value list</source>
        <translation>Value list</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Center Point</source>
        <translation>Centre point</translation>
    </message>
    <message>
        <source>Total vertices</source>
        <translation>Vertices</translation>
    </message>
    <message>
        <source>Max depth</source>
        <translation>Maximum depth</translation>
    </message>
    <message>
        <source>Slow path Geometries</source>
        <translation>Slow-path geometries</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>LODs</source>
        <translation>LODs</translation>
    </message>
    <message>
        <source>PagedLODs</source>
        <translation>PagedLODs</translation>
    </message>
    <message>
        <source>Switches</source>
        <translation>Switches</translation>
    </message>
    <message>
        <source>Sequences</source>
        <translation>Sequences</translation>
    </message>
    <message>
        <source>MatrixTransforms</source>
        <translation>MatrixTransforms</translation>
    </message>
    <message>
        <source>DOFTransforms</source>
        <translation>DOFTransforms</translation>
    </message>
    <message>
        <source>Other Transforms</source>
        <translation>Other transforms</translation>
    </message>
    <message>
        <source>Geodes</source>
        <translation>Geodes</translation>
    </message>
    <message>
        <source>Other Nodes</source>
        <translation>Other nodes</translation>
    </message>
    <message>
        <source>Empty StateSets</source>
        <translation>Empty state sets</translation>
    </message>
    <message>
        <source>Total StateSets</source>
        <translation>State sets</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programs</translation>
    </message>
    <message>
        <source>Uniforms</source>
        <translation>Uniforms</translation>
    </message>
    <message>
        <source>Total Attributes</source>
        <translation>Attributes</translation>
    </message>
    <message>
        <source>Total Modes</source>
        <translation>Modes</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>Textures</translation>
    </message>
    <message>
        <source>Total TexAttributes</source>
        <translation>Texture attributes</translation>
    </message>
    <message>
        <source>Total TexModes</source>
        <translation>Texture modes</translation>
    </message>
    <message>
        <source>NULL Geometries</source>
        <translation>Empty geometries</translation>
    </message>
    <message>
        <source>Total Geometries</source>
        <translation>Geometries</translation>
    </message>
    <message>
        <source>Texts</source>
        <translation>Texts</translation>
    </message>
    <message>
        <source>Other Drawables</source>
        <translation>Other drawables</translation>
    </message>
    <message>
        <source>Total Drawables</source>
        <translation>Drawables</translation>
    </message>
    <message>
        <source>DrawArrays</source>
        <translation>DrawArrays</translation>
    </message>
    <message>
        <source>Total PrimitiveSets</source>
        <translation>Primitive sets</translation>
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
        <source>%1: &quot;%2&quot; is missing; its default is used</source>
        <translation>%1: &quot;%2&quot; is missing; its default is used</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; has the unreadable value &quot;%3&quot;; its default is used</source>
        <translation>%1: &quot;%2&quot; has the unreadable value &quot;%3&quot;; its default is used</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; = %3 lies outside %4..%5; %6 is used</source>
        <translation>%1: &quot;%2&quot; = %3 lies outside %4..%5; %6 is used</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is missing; the default tool strip is used</source>
        <translation>%1: &quot;%2&quot; is missing; the default tool strip is used</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; has the unreadable value &quot;%3&quot;; the default tool strip is used</source>
        <translation>%1: &quot;%2&quot; has the unreadable value &quot;%3&quot;; the default tool strip is used</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; = %3 lies outside 0..%4</source>
        <translation>%1: &quot;%2&quot; = %3 lies outside 0..%4</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is missing; the tool strip ends before it</source>
        <translation>%1: &quot;%2&quot; is missing; the tool strip ends before it</translation>
    </message>
    <message>
        <source>&lt;no image&gt;</source>
        <translation>&lt;no image&gt;</translation>
    </message>
    <message>
        <source>stringToVariant(): Error in digit (%1).</source>
        <translation>stringToVariant(): Error in digit (%1).</translation>
    </message>
    <message>
        <source>The file name %1 given on the command line is not valid text in the system&apos;s encoding (%2); the file cannot be opened by this name.</source>
        <translation>The file name %1 given on the command line is not valid text in the system&apos;s encoding (%2); the file cannot be opened by this name.</translation>
    </message>
    <message>
        <source>The file %1 given on the command line does not exist.</source>
        <translation>The file %1 given on the command line does not exist.</translation>
    </message>
    <message>
        <source>stringToVariant(): a picture claims more pixels than its %1 characters hold.</source>
        <translation>stringToVariant(): a picture claims more pixels than its %1 characters hold.</translation>
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
    <message>
        <source>Recent commands</source>
        <translation>Recent commands</translation>
    </message>
    <message>
        <source>No notes to export: no model is open</source>
        <translation>No notes to export: no model is open</translation>
    </message>
    <message>
        <source>Cannot open the note file %1</source>
        <translation>Cannot open the note file %1</translation>
    </message>
    <message>
        <source>No notes could be read from %1</source>
        <translation>No notes could be read from %1</translation>
    </message>
    <message>
        <source>Measure result</source>
        <translation>Measure result</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>面积测量</source>
        <translation>Area measure</translation>
    </message>
    <message>
        <source>体积测量</source>
        <translation>Volume measure</translation>
    </message>
</context>
<context>
    <name>SearchLineEdit</name>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Search options</source>
        <translation>Search options</translation>
    </message>
    <message>
        <source>&lt;type text&gt;</source>
        <translation>&lt;type text&gt;</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>Case sensitive</translation>
    </message>
</context>
<context>
    <name>SystemSetting</name>
    <message>
        <source>common</source>
        <translation>General</translation>
    </message>
    <message>
        <source>backRound</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>snapshot</source>
        <translation>Snapshot</translation>
    </message>
    <message>
        <source>preselection</source>
        <translation>Preselection</translation>
    </message>
    <message>
        <source>isGridShow</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>section</source>
        <translation>Section</translation>
    </message>
    <message>
        <source>animation</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>Roam</source>
        <translation>Walking</translation>
    </message>
    <message>
        <source>review</source>
        <translation>Review</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>note</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>mark</source>
        <translation>Markups</translation>
    </message>
    <message>
        <source>PMI</source>
        <translation>PMI</translation>
    </message>
    <message>
        <source>Collision</source>
        <translation>Interference</translation>
    </message>
    <message>
        <source>performance</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>Quick Access Toolbar</source>
        <translation>Quick access</translation>
    </message>
    <message>
        <source>%1 could not be read; the defaults are used</source>
        <translation>%1 could not be read; the defaults are used</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2</source>
        <translation>The settings could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>SystemSetting</source>
        <translation>System settings</translation>
    </message>
    <message>
        <source>开发者选项</source>
        <translation>Developer options</translation>
    </message>
    <message>
        <source>请选择文件路径...</source>
        <translation>Choose a folder...</translation>
    </message>
</context>
<context>
    <name>SystemSettingWidget</name>
    <message>
        <source>SystemSetting</source>
        <translation>System settings</translation>
    </message>
    <message>
        <source>backround color：</source>
        <translation>Background colour:</translation>
    </message>
    <message>
        <source>backround color begin:</source>
        <translation>Background colour, top:</translation>
    </message>
    <message>
        <source>backround color end:</source>
        <translation>Background colour, bottom:</translation>
    </message>
    <message>
        <source>snapshot setting</source>
        <translation>Snapshot settings</translation>
    </message>
    <message>
        <source>break round Transparent</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>Measure:</source>
        <translation>Measure:</translation>
    </message>
    <message>
        <source>unit:</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>millimeter(mm)</source>
        <translation>Millimetre (mm)</translation>
    </message>
    <message>
        <source>centimeter(cm)</source>
        <translation>Centimetre (cm)</translation>
    </message>
    <message>
        <source>meter(m)</source>
        <translation>Metre (m)</translation>
    </message>
    <message>
        <source>Exactvalue:</source>
        <translation>Precision:</translation>
    </message>
    <message>
        <source>note setting:</source>
        <translation>Note settings:</translation>
    </message>
    <message>
        <source>font size</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>font color</source>
        <translation>Font colour</translation>
    </message>
    <message>
        <source>mark setting:</source>
        <translation>Markup settings:</translation>
    </message>
    <message>
        <source>mark Line width:</source>
        <translation>Markup line width:</translation>
    </message>
    <message>
        <source>mark Color:</source>
        <translation>Markup colour:</translation>
    </message>
    <message>
        <source>section setting</source>
        <translation>Section settings</translation>
    </message>
    <message>
        <source>section show</source>
        <translation>Show the section plane</translation>
    </message>
    <message>
        <source>section Transparent</source>
        <translation>Section plane transparency</translation>
    </message>
    <message>
        <source>section color</source>
        <translation>Section colour</translation>
    </message>
    <message>
        <source>Collision color：</source>
        <translation>Interference colour:</translation>
    </message>
    <message>
        <source>Collision point color:</source>
        <translation>Interference point colour:</translation>
    </message>
    <message>
        <source>Contact pair color:</source>
        <translation>Contact pair colour:</translation>
    </message>
    <message>
        <source>preselection setting</source>
        <translation>Preselection settings</translation>
    </message>
    <message>
        <source> AllowPreSelected</source>
        <translation> Allow preselection</translation>
    </message>
    <message>
        <source>AllowMultiSelected</source>
        <translation>Allow multiple selection</translation>
    </message>
    <message>
        <source>preselection Color:</source>
        <translation>Preselection colour:</translation>
    </message>
    <message>
        <source>selection Color：</source>
        <translation>Selection colour:</translation>
    </message>
    <message>
        <source>PMI Setting:</source>
        <translation>PMI settings:</translation>
    </message>
    <message>
        <source>Read PMI</source>
        <translation>Read PMI</translation>
    </message>
    <message>
        <source>开启日志：</source>
        <translation>Log to a file:</translation>
    </message>
    <message>
        <source>日志等级：</source>
        <translation>Log level:</translation>
    </message>
    <message>
        <source>逐帧调试</source>
        <translation>Trace</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>Debug</translation>
    </message>
    <message>
        <source>消息信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>警告信息</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>错误信息</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>日志路径：</source>
        <translation>Log folder:</translation>
    </message>
    <message>
        <source>选择路径</source>
        <translation>Choose folder</translation>
    </message>
    <message>
        <source>grid</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>gridShow</source>
        <translation>Show the grid</translation>
    </message>
    <message>
        <source>gridColor</source>
        <translation>Grid colour</translation>
    </message>
    <message>
        <source>动画</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>恢复命令提示</source>
        <translation>Show the command prompts again</translation>
    </message>
    <message>
        <source>RoamSetting:</source>
        <translation>Walking settings:</translation>
    </message>
    <message>
        <source>SmartSelectBodyLength:</source>
        <translation>Smart body height:</translation>
    </message>
    <message>
        <source>WalkerHumanBodyLength:</source>
        <translation>Walker body height:</translation>
    </message>
    <message>
        <source>Select the command you want to add</source>
        <translation>Select the command you want to add</translation>
    </message>
    <message>
        <source>add&gt;&gt;</source>
        <translation>Add &gt;&gt;</translation>
    </message>
    <message>
        <source>remove&lt;&lt;</source>
        <translation>&lt;&lt; Remove</translation>
    </message>
    <message>
        <source>Customize the shortcut Access Toolbar</source>
        <translation>Customise the quick access toolbar</translation>
    </message>
    <message>
        <source>modelLoad</source>
        <translation>Model loading</translation>
    </message>
    <message>
        <source>loadEdge</source>
        <translation>Load edges</translation>
    </message>
    <message>
        <source>faceMerge</source>
        <translation>Merge faces</translation>
    </message>
    <message>
        <source>smallFeatureCulling</source>
        <translation>Small feature culling</translation>
    </message>
    <message>
        <source>cullingData</source>
        <translation>Culling size</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Settings pages</source>
        <translation>Settings pages</translation>
    </message>
    <message>
        <source>Settings page</source>
        <translation>Settings page</translation>
    </message>
</context>
<context>
    <name>TimelineDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Time settings</translation>
    </message>
    <message>
        <source>时间轴</source>
        <translation>Timeline</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>持续时间</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>动画</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>时间设置</source>
        <translation>Time settings</translation>
    </message>
</context>
<context>
    <name>TransformDraggerCommand</name>
    <message>
        <source>请先选择要变换的模型</source>
        <translation>Select the models to move first</translation>
    </message>
    <message>
        <source>点击模型上的点、角点或圆形边/孔作为新的轴位置</source>
        <translation>Click a point, a corner or a round edge or hole on the model for the new pivot</translation>
    </message>
    <message>
        <source>没有点中模型，请点击模型上的点</source>
        <translation>Nothing under the cursor: click a point on the model</translation>
    </message>
    <message>
        <source>无法把轴放到这个位置</source>
        <translation>The pivot cannot go there</translation>
    </message>
    <message>
        <source>拖动箭头沿该方向移动所选模型，按 Esc 结束</source>
        <translation>Drag an arrow to move the selected models along it; Escape ends</translation>
    </message>
    <message>
        <source>拖动平面控制柄在平面内移动所选模型，按 Esc 结束</source>
        <translation>Drag a plane handle to move the selected models in its plane; Escape ends</translation>
    </message>
    <message>
        <source>拖动圆环旋转所选模型，按 Esc 结束</source>
        <translation>Drag a ring to turn the selected models; Escape ends</translation>
    </message>
    <message>
        <source>拖动控制柄缩放所选模型，按 Esc 结束</source>
        <translation>Drag a handle to scale the selected models; Escape ends</translation>
    </message>
</context>
<context>
    <name>Vantor::AnimationEditorUI</name>
    <message>
        <source>Keyframe timeline</source>
        <translation>Keyframe timeline</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>Keyframes</source>
        <translation>Keyframes</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Select all</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Animation timeline</source>
        <translation>Animation timeline</translation>
    </message>
    <message>
        <source>Autokey</source>
        <translation>Auto key</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add key</translation>
    </message>
    <message>
        <source>PositionKey</source>
        <translation>Position key</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Camera key</translation>
    </message>
    <message>
        <source>SelectNode</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>LastKey</source>
        <translation>Prev. key</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Prev.</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>NextKey</source>
        <translation>Next key</translation>
    </message>
    <message>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Matrial</source>
        <translation>Material key</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Opacity key</translation>
    </message>
    <message>
        <source>Visibility</source>
        <translation>Visibility key</translation>
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
        <translation>Camera</translation>
    </message>
    <message>
        <source>SceneView</source>
        <translation>View key</translation>
    </message>
    <message>
        <source>FadeIn</source>
        <translation>Fade in</translation>
    </message>
    <message>
        <source>FadeOut</source>
        <translation>Fade out</translation>
    </message>
    <message>
        <source>HotSpot</source>
        <translation>Hot spot</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>材质</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>透明度</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>可见性</source>
        <translation>Visibility</translation>
    </message>
    <message>
        <source>摄像机</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>模型较复杂，添加视图将会花费较长时间，是否继续？</source>
        <translation>The model is large: adding the view takes a while. Go on?</translation>
    </message>
    <message>
        <source>不再提示</source>
        <translation>Do not ask again</translation>
    </message>
    <message>
        <source>位置:%1 偏移:%2</source>
        <translation>Position: %1  Offset: %2</translation>
    </message>
</context>
<context>
    <name>dialog</name>
    <message>
        <source>碰撞</source>
        <translation>Interference check</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>dockWidgetBookmark</name>
    <message>
        <source>Bookmark</source>
        <translation>Views</translation>
    </message>
</context>
<context>
    <name>logDock</name>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
</context>
<context>
    <name>propertyDock</name>
    <message>
        <source>Properties</source>
        <translation>Properties</translation>
    </message>
</context>
<context>
    <name>statisticsDock</name>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
</context>
<context>
    <name>treeDock</name>
    <message>
        <source>Structure</source>
        <translation>Structure</translation>
    </message>
</context>
</TS>
