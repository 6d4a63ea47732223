<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialogClass</name>
    <message>
        <source>关于 Nerio3d</source>
        <translation>关于 Nerio3d</translation>
    </message>
    <message>
        <source>&lt;p align=&quot;center&quot;&gt;&lt;b&gt;Nerio3d 三维模型浏览器&lt;/b&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;版本 %1&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;构建 %2&lt;/p&gt;</source>
        <translation>&lt;p align=&quot;center&quot;&gt;&lt;b&gt;Nerio3d 三维模型浏览器&lt;/b&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;版本 %1&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;构建 %2&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>OSG viewer</source>
        <translation>OSG 浏览器</translation>
    </message>
    <message>
        <source>Usage: </source>
        <translation>用法：</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[选项]</translation>
    </message>
    <message>
        <source>filename</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source> --help                 - displays this help.</source>
        <translation> --help                 - 显示本帮助。</translation>
    </message>
    <message>
        <source> --reset-config         - clear the saved preference parameters.</source>
        <translation> --reset-config         - 清除保存的首选项参数。</translation>
    </message>
    <message>
        <source>translations path %1</source>
        <translation>翻译文件目录 %1</translation>
    </message>
    <message>
        <source>setting language to : %1</source>
        <translation>设置语言为：%1</translation>
    </message>
    <message>
        <source>successfully loaded data from %1</source>
        <translation>已成功从 %1 载入数据</translation>
    </message>
    <message>
        <source>failed to load data from %1</source>
        <translation>从 %1 载入数据失败</translation>
    </message>
    <message>
        <source>No translation file found in (%1)</source>
        <translation>在 (%1) 中未找到翻译文件</translation>
    </message>
    <message>
        <source>You can set a path to resources with the environment variable %1</source>
        <translation>可以用环境变量 %1 设置资源目录</translation>
    </message>
    <message>
        <source>The file name %1 given on the command line is not valid text in the system&apos;s encoding (%2); the file cannot be opened by this name.</source>
        <translation>命令行给出的文件名 %1 不是系统编码（%2）下的有效文本；无法按此名称打开文件。</translation>
    </message>
    <message>
        <source>The file %1 given on the command line does not exist.</source>
        <translation>命令行给出的文件 %1 不存在。</translation>
    </message>
</context>
<context>
    <name>SceneView</name>
    <message>
        <source>PntToPntDistanceCommand</source>
        <translation>点到点距离</translation>
    </message>
    <message>
        <source>FaceToFaceDistanceCommand</source>
        <translation>面到面距离</translation>
    </message>
    <message>
        <source>LineToLineDistanceCommand</source>
        <translation>线到线距离</translation>
    </message>
    <message>
        <source>PntToLineDistanceCommand</source>
        <translation>点到线距离</translation>
    </message>
    <message>
        <source>PntToFaceDistanceCommand</source>
        <translation>点到面距离</translation>
    </message>
    <message>
        <source>UpdateSectionCommand</source>
        <translation>更新剖切</translation>
    </message>
    <message>
        <source>LineToFaceDistanceCommand</source>
        <translation>线到面距离</translation>
    </message>
    <message>
        <source>CenterToCenterDistanceCommand</source>
        <translation>圆心距离</translation>
    </message>
    <message>
        <source>ShaftToShaftDistanceCommand</source>
        <translation>轴心距离</translation>
    </message>
    <message>
        <source>LineToLineAngleCommand</source>
        <translation>线线夹角</translation>
    </message>
    <message>
        <source>LineToFaceAngleCommand</source>
        <translation>线面夹角</translation>
    </message>
    <message>
        <source>FaceToFaceAngleCommand</source>
        <translation>面面夹角</translation>
    </message>
    <message>
        <source>LineDistanceCommand</source>
        <translation>线长度</translation>
    </message>
    <message>
        <source>EllipseDistanceCommand</source>
        <translation>弧长</translation>
    </message>
    <message>
        <source>RadiusDistanceCommand</source>
        <translation>半径</translation>
    </message>
    <message>
        <source>DiameterDistanceCommand</source>
        <translation>直径</translation>
    </message>
    <message>
        <source>SurfaceAreaCommand</source>
        <translation>面积测量</translation>
    </message>
    <message>
        <source>VolumeCommand</source>
        <translation>体积测量</translation>
    </message>
    <message>
        <source>CreateSectionCommand</source>
        <translation>新建剖切</translation>
    </message>
    <message>
        <source>PointNoteCommand</source>
        <translation>点注释</translation>
    </message>
    <message>
        <source>ReverseSectionCommand</source>
        <translation>反向剖切</translation>
    </message>
    <message>
        <source>AxisTransformDraggerCommand</source>
        <translation>定向拖动</translation>
    </message>
    <message>
        <source>AxisExplodeTransformDraggerCommand</source>
        <translation>轴向爆炸</translation>
    </message>
    <message>
        <source>RadialExplodeTransformDraggerCommand</source>
        <translation>径向爆炸</translation>
    </message>
    <message>
        <source>CenterExplodeTransformDraggerCommand</source>
        <translation>中心爆炸</translation>
    </message>
    <message>
        <source>ScaleTransformDraggerCommand</source>
        <translation>缩放</translation>
    </message>
    <message>
        <source>RotateTransformDraggerCommand</source>
        <translation>沿轴旋转</translation>
    </message>
    <message>
        <source>PlaneTransformDraggerCommand</source>
        <translation>自由拖动</translation>
    </message>
    <message>
        <source>UpdateAxisLocationCommand</source>
        <translation>更新轴位置</translation>
    </message>
    <message>
        <source>PointsAlignmentCommand</source>
        <translation>点对齐</translation>
    </message>
    <message>
        <source>LinesAlignmentCommand</source>
        <translation>线对齐</translation>
    </message>
    <message>
        <source>FacesAlignmentCommand</source>
        <translation>面对齐</translation>
    </message>
    <message>
        <source>LineToFaceAlignmentCommand</source>
        <translation>线面对齐</translation>
    </message>
    <message>
        <source>SNoteCommand</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>RectNoteCommand</source>
        <translation>矩形批注</translation>
    </message>
    <message>
        <source>CircleNoteCommand</source>
        <translation>圆形批注</translation>
    </message>
    <message>
        <source>EllipseNoteCommand</source>
        <translation>椭圆批注</translation>
    </message>
    <message>
        <source>BrushNoteCommand</source>
        <translation>画笔批注</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Save changes</source>
        <translation>保存修改</translation>
    </message>
    <message>
        <source>%1 has changes that are not saved. Save them first?</source>
        <translation>%1 有尚未保存的修改。是否先保存？</translation>
    </message>
    <message>
        <source>These documents of the model were read only in part: %1.
Your changes are saved, and what the file held is kept in the file beside them, unchanged.</source>
        <translation>模型的以下文档只读取了一部分：%1。
您的修改将被保存，文件中原有的内容原样保留在其旁边。</translation>
    </message>
    <message>
        <source>notes</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>saved views</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>sections</source>
        <translation>剖面</translation>
    </message>
    <message>
        <source>measures</source>
        <translation>测量</translation>
    </message>
    <message>
        <source>animation</source>
        <translation>动画</translation>
    </message>
    <message>
        <source>Part of this model&apos;s documents could not be read; the file keeps them as they are.</source>
        <translation>此模型的部分文档无法读取；文件将原样保留它们。</translation>
    </message>
    <message>
        <source>Cannot open the file</source>
        <translation>无法打开文件</translation>
    </message>
</context>
</TS>
