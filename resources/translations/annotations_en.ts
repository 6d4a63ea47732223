<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CollAttDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Collaboration attributes</translation>
    </message>
    <message>
        <source>创建时间：</source>
        <translation>Created:</translation>
    </message>
    <message>
        <source>创建人：</source>
        <translation>Creator:</translation>
    </message>
    <message>
        <source>查阅人：</source>
        <translation>Reviewer:</translation>
    </message>
    <message>
        <source>状态：</source>
        <translation>State:</translation>
    </message>
    <message>
        <source>未修改</source>
        <translation>Not changed</translation>
    </message>
    <message>
        <source>修改中</source>
        <translation>Being changed</translation>
    </message>
    <message>
        <source>已修改</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CoordinationTreeWidget</name>
    <message>
        <source>Annotation tree</source>
        <translation>Annotation tree</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>该组名已经存在，请重新命名!</source>
        <translation>A group of that name exists already: please choose another name.</translation>
    </message>
</context>
<context>
    <name>CoordinationWidget</name>
    <message>
        <source>Note</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Measures</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Sections</translation>
    </message>
    <message>
        <source>PMI</source>
        <translation>PMI</translation>
    </message>
    <message>
        <source>Coordination</source>
        <translation>Coordination</translation>
    </message>
    <message>
        <source>actionGoToNewGroupNode</source>
        <translation>Move to new group</translation>
    </message>
    <message>
        <source>actionGoToGroupNode</source>
        <translation>Move to group</translation>
    </message>
    <message>
        <source>actionClearNode</source>
        <translation>Remove all</translation>
    </message>
    <message>
        <source>actionRenameNode</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>RevertNode</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>DeleteNode</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>CreateNode</source>
        <translation>New group</translation>
    </message>
    <message>
        <source>actionEditProperties</source>
        <translation>Edit attributes</translation>
    </message>
    <message>
        <source>actionViewProperties</source>
        <translation>View attributes</translation>
    </message>
    <message>
        <source>Annotation panel</source>
        <translation>Annotation panel</translation>
    </message>
    <message>
        <source>Annotation menu</source>
        <translation>Annotation menu</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>新建组</source>
        <translation>New group</translation>
    </message>
</context>
<context>
    <name>MeasureCommand</name>
    <message>
        <source>请选择第二个点</source>
        <translation>Pick the second point</translation>
    </message>
    <message>
        <source>请选择第一个点</source>
        <translation>Pick the first point</translation>
    </message>
    <message>
        <source>请选择第二条边</source>
        <translation>Pick the second edge</translation>
    </message>
    <message>
        <source>请选择一条边</source>
        <translation>Pick an edge</translation>
    </message>
    <message>
        <source>请选择面，回车或右键结束</source>
        <translation>Pick faces; Enter or a right click ends</translation>
    </message>
    <message>
        <source>请选择第二个面</source>
        <translation>Pick the second face</translation>
    </message>
    <message>
        <source>请选择一个面</source>
        <translation>Pick a face</translation>
    </message>
    <message>
        <source>请选择第二个圆、圆弧或圆柱面</source>
        <translation>Pick the second circle, arc or cylindrical face</translation>
    </message>
    <message>
        <source>请选择圆、圆弧或圆柱面</source>
        <translation>Pick a circle, arc or cylindrical face</translation>
    </message>
    <message>
        <source>请选择第二根轴（圆柱面或圆边）</source>
        <translation>Pick the second axis (a cylindrical face or a round edge)</translation>
    </message>
    <message>
        <source>请选择一根轴（圆柱面或圆边）</source>
        <translation>Pick an axis (a cylindrical face or a round edge)</translation>
    </message>
    <message>
        <source>请选择实体，回车或右键结束</source>
        <translation>Pick solids; Enter or a right click ends</translation>
    </message>
    <message>
        <source>请选择另一个对象</source>
        <translation>Pick another object</translation>
    </message>
    <message>
        <source>该对象已选择</source>
        <translation>That object is picked already</translation>
    </message>
    <message>
        <source>未选中合适的对象。</source>
        <translation>Nothing suitable under the cursor. </translation>
    </message>
    <message>
        <source>无法测量所选对象</source>
        <translation>The picked objects cannot be measured</translation>
    </message>
    <message>
        <source>点点距离</source>
        <translation>Point to point distance</translation>
    </message>
    <message>
        <source>点线距离</source>
        <translation>Point to line distance</translation>
    </message>
    <message>
        <source>点面距离</source>
        <translation>Point to face distance</translation>
    </message>
    <message>
        <source>线线距离</source>
        <translation>Line to line distance</translation>
    </message>
    <message>
        <source>线面距离</source>
        <translation>Line to face distance</translation>
    </message>
    <message>
        <source>面面距离</source>
        <translation>Face to face distance</translation>
    </message>
    <message>
        <source>圆心距</source>
        <translation>Centre distance</translation>
    </message>
    <message>
        <source>轴距</source>
        <translation>Axis distance</translation>
    </message>
    <message>
        <source>请选择圆柱面或圆边</source>
        <translation>Pick a cylindrical face or a round edge</translation>
    </message>
    <message>
        <source>线线角度</source>
        <translation>Line to line angle</translation>
    </message>
    <message>
        <source>面面角度</source>
        <translation>Face to face angle</translation>
    </message>
    <message>
        <source>线面角度</source>
        <translation>Line to face angle</translation>
    </message>
    <message>
        <source>边长</source>
        <translation>Edge length</translation>
    </message>
    <message>
        <source>弧长</source>
        <translation>Arc length</translation>
    </message>
    <message>
        <source>请选择圆、椭圆或圆弧边线</source>
        <translation>Pick a circle, ellipse or arc edge</translation>
    </message>
    <message>
        <source>半径</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>直径</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>面积</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>体积</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>所选实体不封闭，无法计算体积</source>
        <translation>The picked solid is not closed: its volume cannot be computed</translation>
    </message>
    <message>
        <source>The edge has no points.</source>
        <translation>The edge has no points.</translation>
    </message>
    <message>
        <source>The face has no triangles.</source>
        <translation>The face has no triangles.</translation>
    </message>
    <message>
        <source>An edge has no points.</source>
        <translation>An edge has no points.</translation>
    </message>
    <message>
        <source>The edge or the face is empty.</source>
        <translation>The edge or the face is empty.</translation>
    </message>
    <message>
        <source>A face is empty.</source>
        <translation>A face is empty.</translation>
    </message>
    <message>
        <source>An axis has no direction.</source>
        <translation>An axis has no direction.</translation>
    </message>
    <message>
        <source>Both edges must be straight.</source>
        <translation>Both edges must be straight.</translation>
    </message>
    <message>
        <source>Both faces must be flat.</source>
        <translation>Both faces must be flat.</translation>
    </message>
    <message>
        <source>The edge must be straight and the face flat.</source>
        <translation>The edge must be straight and the face flat.</translation>
    </message>
    <message>
        <source>The edge has no length.</source>
        <translation>The edge has no length.</translation>
    </message>
    <message>
        <source>The edge is an ellipse, not a circle.</source>
        <translation>The edge is an ellipse, not a circle.</translation>
    </message>
    <message>
        <source>The edge is not a circle.</source>
        <translation>The edge is not a circle.</translation>
    </message>
    <message>
        <source>The face is not a cylinder.</source>
        <translation>The face is not a cylinder.</translation>
    </message>
    <message>
        <source>The face has no radius.</source>
        <translation>The face has no radius.</translation>
    </message>
</context>
<context>
    <name>NoteCommand</name>
    <message>
        <source>There is no model to put a note on</source>
        <translation>There is no model to put a note on</translation>
    </message>
    <message>
        <source>Click a point on the model for the note; drag to place its label</source>
        <translation>Click a point on the model for the note; drag to place its label</translation>
    </message>
    <message>
        <source>No part under the cursor: click a point on the model for the note</source>
        <translation>No part under the cursor: click a point on the model for the note</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>The note needs a text: click a point on the model for the note</source>
        <translation>The note needs a text: click a point on the model for the note</translation>
    </message>
    <message>
        <source>Press on the model and draw the stroke</source>
        <translation>Press on the model and draw the stroke</translation>
    </message>
    <message>
        <source>Press on the model and drag out the shape</source>
        <translation>Press on the model and drag out the shape</translation>
    </message>
    <message>
        <source>No part under the cursor: press on the model to start the markup</source>
        <translation>No part under the cursor: press on the model to start the markup</translation>
    </message>
    <message>
        <source>The markup has no size: press on the model and drag</source>
        <translation>The markup has no size: press on the model and drag</translation>
    </message>
    <message>
        <source>Markup</source>
        <translation>Markup</translation>
    </message>
</context>
<context>
    <name>QTreeviewDelegate</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>SectionCommand</name>
    <message>
        <source>At most 6 sections can cut the model at once: close or delete one first</source>
        <translation>At most 6 sections can cut the model at once: close or delete one first</translation>
    </message>
    <message>
        <source>Click a face of the model for the section plane, or press Enter for a plane through the centre</source>
        <translation>Click a face of the model for the section plane, or press Enter for a plane through the centre</translation>
    </message>
    <message>
        <source>Section %1</source>
        <translation>Section %1</translation>
    </message>
    <message>
        <source>The model is empty: there is nothing to cut</source>
        <translation>The model is empty: there is nothing to cut</translation>
    </message>
    <message>
        <source>No face under the cursor: click a face of the model, or press Enter for a plane through the centre</source>
        <translation>No face under the cursor: click a face of the model, or press Enter for a plane through the centre</translation>
    </message>
    <message>
        <source>There is no section to move: create a section first</source>
        <translation>There is no section to move: create a section first</translation>
    </message>
    <message>
        <source>Drag the section plane to move it; Ctrl+drag turns it. Escape ends</source>
        <translation>Drag the section plane to move it; Ctrl+drag turns it. Escape ends</translation>
    </message>
    <message>
        <source>The section was removed</source>
        <translation>The section was removed</translation>
    </message>
    <message>
        <source>There is no section to reverse</source>
        <translation>There is no section to reverse</translation>
    </message>
    <message>
        <source>There is no section</source>
        <translation>There is no section</translation>
    </message>
</context>
</TS>
