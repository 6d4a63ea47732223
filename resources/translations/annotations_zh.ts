<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CollAttDialog</name>
    <message>
        <source>Dialog</source>
        <translation>协同属性</translation>
    </message>
    <message>
        <source>创建时间：</source>
        <translation>创建时间：</translation>
    </message>
    <message>
        <source>创建人：</source>
        <translation>创建人：</translation>
    </message>
    <message>
        <source>查阅人：</source>
        <translation>查阅人：</translation>
    </message>
    <message>
        <source>状态：</source>
        <translation>状态：</translation>
    </message>
    <message>
        <source>未修改</source>
        <translation>未修改</translation>
    </message>
    <message>
        <source>修改中</source>
        <translation>修改中</translation>
    </message>
    <message>
        <source>已修改</source>
        <translation>已修改</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CoordinationTreeWidget</name>
    <message>
        <source>Annotation tree</source>
        <translation>协同树</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>该组名已经存在，请重新命名!</source>
        <translation>该组名已经存在，请重新命名！</translation>
    </message>
</context>
<context>
    <name>CoordinationWidget</name>
    <message>
        <source>Note</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>测量</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>剖切</translation>
    </message>
    <message>
        <source>PMI</source>
        <translation>PMI</translation>
    </message>
    <message>
        <source>Coordination</source>
        <translation>协同</translation>
    </message>
    <message>
        <source>actionGoToNewGroupNode</source>
        <translation>移至新组</translation>
    </message>
    <message>
        <source>actionGoToGroupNode</source>
        <translation>移至组</translation>
    </message>
    <message>
        <source>actionClearNode</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>actionRenameNode</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>RevertNode</source>
        <translation>移出组</translation>
    </message>
    <message>
        <source>DeleteNode</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>CreateNode</source>
        <translation>新建组</translation>
    </message>
    <message>
        <source>actionEditProperties</source>
        <translation>编辑属性</translation>
    </message>
    <message>
        <source>actionViewProperties</source>
        <translation>查看属性</translation>
    </message>
    <message>
        <source>Annotation panel</source>
        <translation>协同面板</translation>
    </message>
    <message>
        <source>Annotation menu</source>
        <translation>协同菜单</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>组</translation>
    </message>
    <message>
        <source>新建组</source>
        <translation>新建组</translation>
    </message>
</context>
<context>
    <name>MeasureCommand</name>
    <message>
        <source>请选择第二个点</source>
        <translation>请选择第二个点</translation>
    </message>
    <message>
        <source>请选择第一个点</source>
        <translation>请选择第一个点</translation>
    </message>
    <message>
        <source>请选择第二条边</source>
        <translation>请选择第二条边</translation>
    </message>
    <message>
        <source>请选择一条边</source>
        <translation>请选择一条边</translation>
    </message>
    <message>
        <source>请选择面，回车或右键结束</source>
        <translation>请选择面，回车或右键结束</translation>
    </message>
    <message>
        <source>请选择第二个面</source>
        <translation>请选择第二个面</translation>
    </message>
    <message>
        <source>请选择一个面</source>
        <translation>请选择一个面</translation>
    </message>
    <message>
        <source>请选择第二个圆、圆弧或圆柱面</source>
        <translation>请选择第二个圆、圆弧或圆柱面</translation>
    </message>
    <message>
        <source>请选择圆、圆弧或圆柱面</source>
        <translation>请选择圆、圆弧或圆柱面</translation>
    </message>
    <message>
        <source>请选择第二根轴（圆柱面或圆边）</source>
        <translation>请选择第二根轴（圆柱面或圆边）</translation>
    </message>
    <message>
        <source>请选择一根轴（圆柱面或圆边）</source>
        <translation>请选择一根轴（圆柱面或圆边）</translation>
    </message>
    <message>
        <source>请选择实体，回车或右键结束</source>
        <translation>请选择实体，回车或右键结束</translation>
    </message>
    <message>
        <source>请选择另一个对象</source>
        <translation>请选择另一个对象</translation>
    </message>
    <message>
        <source>该对象已选择</source>
        <translation>该对象已选择</translation>
    </message>
    <message>
        <source>未选中合适的对象。</source>
        <translation>未选中合适的对象。</translation>
    </message>
    <message>
        <source>无法测量所选对象</source>
        <translation>无法测量所选对象</translation>
    </message>
    <message>
        <source>点点距离</source>
        <translation>点点距离</translation>
    </message>
    <message>
        <source>点线距离</source>
        <translation>点线距离</translation>
    </message>
    <message>
        <source>点面距离</source>
        <translation>点面距离</translation>
    </message>
    <message>
        <source>线线距离</source>
        <translation>线线距离</translation>
    </message>
    <message>
        <source>线面距离</source>
        <translation>线面距离</translation>
    </message>
    <message>
        <source>面面距离</source>
        <translation>面面距离</translation>
    </message>
    <message>
        <source>圆心距</source>
        <translation>圆心距</translation>
    </message>
    <message>
        <source>轴距</source>
        <translation>轴距</translation>
    </message>
    <message>
        <source>请选择圆柱面或圆边</source>
        <translation>请选择圆柱面或圆边</translation>
    </message>
    <message>
        <source>线线角度</source>
        <translation>线线角度</translation>
    </message>
    <message>
        <source>面面角度</source>
        <translation>面面角度</translation>
    </message>
    <message>
        <source>线面角度</source>
        <translation>线面角度</translation>
    </message>
    <message>
        <source>边长</source>
        <translation>边长</translation>
    </message>
    <message>
        <source>弧长</source>
        <translation>弧长</translation>
    </message>
    <message>
        <source>请选择圆、椭圆或圆弧边线</source>
        <translation>请选择圆、椭圆或圆弧边线</translation>
    </message>
    <message>
        <source>半径</source>
        <translation>半径</translation>
    </message>
    <message>
        <source>直径</source>
        <translation>直径</translation>
    </message>
    <message>
        <source>面积</source>
        <translation>面积</translation>
    </message>
    <message>
        <source>体积</source>
        <translation>体积</translation>
    </message>
    <message>
        <source>所选实体不封闭，无法计算体积</source>
        <translation>所选实体不封闭，无法计算体积</translation>
    </message>
    <message>
        <source>The edge has no points.</source>
        <translation>该边没有点。</translation>
    </message>
    <message>
        <source>The face has no triangles.</source>
        <translation>该面没有三角形。</translation>
    </message>
    <message>
        <source>An edge has no points.</source>
        <translation>有一条边没有点。</translation>
    </message>
    <message>
        <source>The edge or the face is empty.</source>
        <translation>边或面为空。</translation>
    </message>
    <message>
        <source>A face is empty.</source>
        <translation>有一个面为空。</translation>
    </message>
    <message>
        <source>An axis has no direction.</source>
        <translation>有一根轴没有方向。</translation>
    </message>
    <message>
        <source>Both edges must be straight.</source>
        <translation>两条边都必须是直线。</translation>
    </message>
    <message>
        <source>Both faces must be flat.</source>
        <translation>两个面都必须是平面。</translation>
    </message>
    <message>
        <source>The edge must be straight and the face flat.</source>
        <translation>边必须是直线，面必须是平面。</translation>
    </message>
    <message>
        <source>The edge has no length.</source>
        <translation>该边没有长度。</translation>
    </message>
    <message>
        <source>The edge is an ellipse, not a circle.</source>
        <translation>该边是椭圆，不是圆。</translation>
    </message>
    <message>
        <source>The edge is not a circle.</source>
        <translation>该边不是圆。</translation>
    </message>
    <message>
        <source>The face is not a cylinder.</source>
        <translation>该面不是圆柱面。</translation>
    </message>
    <message>
        <source>The face has no radius.</source>
        <translation>该面没有半径。</translation>
    </message>
</context>
<context>
    <name>NoteCommand</name>
    <message>
        <source>There is no model to put a note on</source>
        <translation>没有可添加注释的模型</translation>
    </message>
    <message>
        <source>Click a point on the model for the note; drag to place its label</source>
        <translation>单击模型上的点放置注释；拖动以放置其标签</translation>
    </message>
    <message>
        <source>No part under the cursor: click a point on the model for the note</source>
        <translation>光标下没有零件：请单击模型上的点放置注释</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>The note needs a text: click a point on the model for the note</source>
        <translation>注释需要文字：请单击模型上的点放置注释</translation>
    </message>
    <message>
        <source>Press on the model and draw the stroke</source>
        <translation>在模型上按下并画出笔画</translation>
    </message>
    <message>
        <source>Press on the model and drag out the shape</source>
        <translation>在模型上按下并拖出形状</translation>
    </message>
    <message>
        <source>No part under the cursor: press on the model to start the markup</source>
        <translation>光标下没有零件：请在模型上按下开始批注</translation>
    </message>
    <message>
        <source>The markup has no size: press on the model and drag</source>
        <translation>批注没有大小：请在模型上按下并拖动</translation>
    </message>
    <message>
        <source>Markup</source>
        <translation>批注</translation>
    </message>
</context>
<context>
    <name>QTreeviewDelegate</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
</context>
<context>
    <name>SectionCommand</name>
    <message>
        <source>At most 6 sections can cut the model at once: close or delete one first</source>
        <translation>最多只能同时打开 6 个剖切：请先关闭或删除一个</translation>
    </message>
    <message>
        <source>Click a face of the model for the section plane, or press Enter for a plane through the centre</source>
        <translation>单击模型的面作为剖切平面，或按 Enter 键生成过中心的平面</translation>
    </message>
    <message>
        <source>Section %1</source>
        <translation>剖切 %1</translation>
    </message>
    <message>
        <source>The model is empty: there is nothing to cut</source>
        <translation>模型为空：没有可剖切的内容</translation>
    </message>
    <message>
        <source>No face under the cursor: click a face of the model, or press Enter for a plane through the centre</source>
        <translation>光标下没有面：请单击模型的面，或按 Enter 键生成过中心的平面</translation>
    </message>
    <message>
        <source>There is no section to move: create a section first</source>
        <translation>没有可移动的剖切：请先创建剖切</translation>
    </message>
    <message>
        <source>Drag the section plane to move it; Ctrl+drag turns it. Escape ends</source>
        <translation>拖动剖切平面可移动它；按住 Ctrl 拖动可旋转它。按 Esc 键结束</translation>
    </message>
    <message>
        <source>The section was removed</source>
        <translation>剖切已被删除</translation>
    </message>
    <message>
        <source>There is no section to reverse</source>
        <translation>没有可反向的剖切</translation>
    </message>
    <message>
        <source>There is no section</source>
        <translation>没有剖切</translation>
    </message>
</context>
</TS>
