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
    <name>AlignmentCommand</name>
    <message>
        <source>所选特征无效，无法对齐</source>
        <translation>所选特征无效，无法对齐</translation>
    </message>
    <message>
        <source>所选特征没有方向，无法对齐</source>
        <translation>所选特征没有方向，无法对齐</translation>
    </message>
    <message>
        <source>所选的面不是平面，无法进行面面对齐</source>
        <translation>所选的面不是平面，无法进行面面对齐</translation>
    </message>
    <message>
        <source>所选的面不是平面，无法进行线面对齐</source>
        <translation>所选的面不是平面，无法进行线面对齐</translation>
    </message>
    <message>
        <source>所选直线垂直于所选平面，无法进行线面对齐</source>
        <translation>所选直线垂直于所选平面，无法进行线面对齐</translation>
    </message>
    <message>
        <source>所选的面不是平面，无法将点对齐到面</source>
        <translation>所选的面不是平面，无法将点对齐到面</translation>
    </message>
    <message>
        <source>所选特征无法对齐</source>
        <translation>所选特征无法对齐</translation>
    </message>
    <message>
        <source>对齐结果无效</source>
        <translation>对齐结果无效</translation>
    </message>
    <message>
        <source>请选择要移动的零件上的点</source>
        <translation>请选择要移动的零件上的点</translation>
    </message>
    <message>
        <source>请选择目标零件上的点</source>
        <translation>请选择目标零件上的点</translation>
    </message>
    <message>
        <source>请选择要移动的零件上的边线</source>
        <translation>请选择要移动的零件上的边线</translation>
    </message>
    <message>
        <source>请选择目标零件上的边线</source>
        <translation>请选择目标零件上的边线</translation>
    </message>
    <message>
        <source>请选择要移动的零件上的平面</source>
        <translation>请选择要移动的零件上的平面</translation>
    </message>
    <message>
        <source>请选择目标零件上的平面</source>
        <translation>请选择目标零件上的平面</translation>
    </message>
    <message>
        <source>目标特征必须在另一个零件上</source>
        <translation>目标特征必须在另一个零件上</translation>
    </message>
</context>
<context>
    <name>BookmarkDialog</name>
    <message>
        <source>Bookmark</source>
        <translation>书签</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>cacel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>BookmarkDialogClass</name>
    <message>
        <source>Dialog</source>
        <translation>书签</translation>
    </message>
    <message>
        <source>Name (can&apos;t be empty)</source>
        <translation>名称（不能为空）</translation>
    </message>
    <message>
        <source>Bookmark name</source>
        <translation>书签名称</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>Bookmark description</source>
        <translation>书签说明</translation>
    </message>
    <message>
        <source>Dialog buttons</source>
        <translation>对话框按钮</translation>
    </message>
</context>
<context>
    <name>BookmarkParser</name>
    <message>
        <source>Cannot read file %1: (%2)</source>
        <translation>无法读取文件 %1：(%2)</translation>
    </message>
    <message>
        <source>Parse error at line %1, column %2: (%3)</source>
        <translation>第 %1 行第 %2 列解析错误：(%3)</translation>
    </message>
    <message>
        <source>The file is not a &quot;Bookmark&quot; file !!</source>
        <translation>该文件不是书签文件！</translation>
    </message>
    <message>
        <source>Unknown version of bookmark file (%1).</source>
        <translation>未知的书签文件版本（%1）。</translation>
    </message>
    <message>
        <source>No bookmarks to save</source>
        <translation>没有可保存的书签</translation>
    </message>
    <message>
        <source>Cannot save file %1: (%2)</source>
        <translation>无法保存文件 %1：(%2)</translation>
    </message>
</context>
<context>
    <name>BookmarkWidget</name>
    <message>
        <source>Bookmark manager</source>
        <translation>书签管理</translation>
    </message>
    <message>
        <source>Clear bookmarks</source>
        <translation>清除书签</translation>
    </message>
    <message>
        <source>Delete all the bookmark(s) ?</source>
        <translation>删除全部书签吗？</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot; bookmark entry ?</source>
        <translation>删除书签“%1”吗？</translation>
    </message>
</context>
<context>
    <name>BookmarkWidgetClass</name>
    <message>
        <source>Add a new bookmark from current view</source>
        <translation>以当前视图添加新书签</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Refresh all Bookmarks thumnails</source>
        <translation>刷新全部书签缩略图</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Update  bookmark thumbnail and position</source>
        <translation>更新书签缩略图和位置</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Edit bookmark name and description</source>
        <translation>编辑书签名称和说明</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Move down a bookmark</source>
        <translation>下移书签</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Move up a bookmark</source>
        <translation>上移书签</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Clear all bookmarks</source>
        <translation>清除全部书签</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Delete Bookmark</source>
        <translation>删除书签</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>BookmarkWidget</source>
        <translation>书签</translation>
    </message>
    <message>
        <source>Bookmarks</source>
        <translation>书签</translation>
    </message>
</context>
<context>
    <name>CollisionCancelDialog</name>
    <message>
        <source>干涉检查计算进度</source>
        <translation>干涉检查计算进度</translation>
    </message>
</context>
<context>
    <name>CollisionDialog</name>
    <message>
        <source>Detection object</source>
        <translation>检测对象</translation>
    </message>
    <message>
        <source>object 1 vs object 2</source>
        <translation>对象1与对象2</translation>
    </message>
    <message>
        <source>object 1 vs all</source>
        <translation>对象1与全部</translation>
    </message>
    <message>
        <source>Selected object</source>
        <translation>所选对象</translation>
    </message>
    <message>
        <source>Detection mode</source>
        <translation>检测方式</translation>
    </message>
    <message>
        <source>Add to object %1</source>
        <translation>添加到对象%1</translation>
    </message>
    <message>
        <source>Remove from object %1</source>
        <translation>从对象%1中移除</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Object %1 list</source>
        <translation>对象%1列表</translation>
    </message>
    <message>
        <source>object 1:</source>
        <translation>对象1：</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>分隔</translation>
    </message>
    <message>
        <source>object 2:</source>
        <translation>对象2：</translation>
    </message>
    <message>
        <source>Detection type:</source>
        <translation>检测类型：</translation>
    </message>
    <message>
        <source>Collision detection</source>
        <translation>干涉检测</translation>
    </message>
    <message>
        <source>Contact (accurate to 0.01mm)</source>
        <translation>接触（精确到 0.01mm）</translation>
    </message>
    <message>
        <source>Clearance inspection</source>
        <translation>间隙检查</translation>
    </message>
    <message>
        <source>Clearance in millimetres</source>
        <translation>间隙（毫米）</translation>
    </message>
    <message>
        <source>compute</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>m_SceneView == nullptr</source>
        <translation>没有三维视图</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>NodePtrList is empty</source>
        <translation>没有选中的节点</translation>
    </message>
    <message>
        <source>Cannot find the selected item</source>
        <translation>找不到所选项</translation>
    </message>
    <message>
        <source>An interference check is still running</source>
        <translation>干涉检查仍在进行</translation>
    </message>
    <message>
        <source>No model is loaded.</source>
        <translation>没有加载模型。</translation>
    </message>
    <message>
        <source>Object 1 has no objects to check.</source>
        <translation>对象1中没有要检查的对象。</translation>
    </message>
    <message>
        <source>Object 2 has no objects to check.</source>
        <translation>对象2中没有要检查的对象。</translation>
    </message>
    <message>
        <source>Type of interference</source>
        <translation>干涉类型</translation>
    </message>
    <message>
        <source>Object 1</source>
        <translation>对象1</translation>
    </message>
    <message>
        <source>Object 2</source>
        <translation>对象2</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>选中节点已在对象1列表中。</source>
        <translation>选中节点已在对象1列表中。</translation>
    </message>
    <message>
        <source>选中节点已在对象2列表中。</source>
        <translation>选中节点已在对象2列表中。</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>间隙不足</source>
        <translation>间隙不足</translation>
    </message>
    <message>
        <source>接触</source>
        <translation>接触</translation>
    </message>
    <message>
        <source>干涉</source>
        <translation>干涉</translation>
    </message>
    <message>
        <source>无</source>
        <translation>无</translation>
    </message>
</context>
<context>
    <name>CombineProcessDialog</name>
    <message>
        <source>Merge</source>
        <translation>合并</translation>
    </message>
    <message>
        <source>Merge progress</source>
        <translation>合并进度</translation>
    </message>
    <message>
        <source>Merge step</source>
        <translation>合并步骤</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Cancel merge</source>
        <translation>取消合并</translation>
    </message>
</context>
<context>
    <name>CrashMessage</name>
    <message>
        <source>程序意外崩溃</source>
        <translation>程序意外崩溃</translation>
    </message>
    <message>
        <source>&lt;FONT size=2&gt;&lt;div&gt;&lt;b&gt;对于发生的错误，表示诚挚的歉意。&lt;/b&gt;&lt;br/&gt;&lt;/div&gt;&lt;div&gt;错误代码：%1&lt;/div&gt;&lt;div&gt;错误地址：%2&lt;/div&gt;&lt;/FONT&gt;</source>
        <translation>&lt;FONT size=2&gt;&lt;div&gt;&lt;b&gt;对于发生的错误，表示诚挚的歉意。&lt;/b&gt;&lt;br/&gt;&lt;/div&gt;&lt;div&gt;错误代码：%1&lt;/div&gt;&lt;div&gt;错误地址：%2&lt;/div&gt;&lt;/FONT&gt;</translation>
    </message>
</context>
<context>
    <name>DazoReader</name>
    <message>
        <source>Opening the model</source>
        <translation>正在打开模型</translation>
    </message>
    <message>
        <source>Reading the assembly</source>
        <translation>正在读取装配结构</translation>
    </message>
    <message>
        <source>Reading the geometry</source>
        <translation>正在读取几何</translation>
    </message>
    <message>
        <source>Reading the meshes</source>
        <translation>正在读取网格</translation>
    </message>
    <message>
        <source>Building the scene</source>
        <translation>正在构建场景</translation>
    </message>
    <message>
        <source>Reading the bill of materials</source>
        <translation>正在读取物料清单</translation>
    </message>
    <message>
        <source>Collecting the model</source>
        <translation>正在收集模型</translation>
    </message>
    <message>
        <source>Writing the archive</source>
        <translation>正在写入文件</translation>
    </message>
</context>
<context>
    <name>ExplodeCommand</name>
    <message>
        <source>请选择含有多个零件的装配体</source>
        <translation>请选择含有多个零件的装配体</translation>
    </message>
    <message>
        <source>拖动箭头把装配体的零件拉开，反向拖动收拢，按 Esc 结束</source>
        <translation>拖动箭头把装配体的零件拉开，反向拖动收拢，按 Esc 结束</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>There is no animation to load into</source>
        <translation>没有可载入动画的对象</translation>
    </message>
    <message>
        <source>Saving the animation to %1 failed: %2</source>
        <translation>动画保存到 %1 失败：%2</translation>
    </message>
    <message>
        <source>Saved the animation to %1</source>
        <translation>动画已保存到 %1</translation>
    </message>
    <message>
        <source>The animation %1 was not loaded: %2</source>
        <translation>动画 %1 未能载入：%2</translation>
    </message>
    <message>
        <source>New bookmark</source>
        <translation>新书签</translation>
    </message>
    <message>
        <source>No saved view with the id %1</source>
        <translation>没有编号为 %1 的视图</translation>
    </message>
    <message>
        <source>No bookmarks to save in %1</source>
        <translation>没有可保存到 %1 的书签</translation>
    </message>
    <message>
        <source>The bookmark file %1 could not be read when the model was opened; it is left as it is.</source>
        <translation>打开模型时未能读取书签文件 %1，该文件保持不变。</translation>
    </message>
    <message>
        <source>Saving %1 ...</source>
        <translation>正在保存 %1 ...</translation>
    </message>
    <message>
        <source>Loading of %1 ...</source>
        <translation>正在加载 %1 ...</translation>
    </message>
    <message>
        <source>Nothing to load in %1 ...</source>
        <translation>%1 中没有可加载的内容 ...</translation>
    </message>
    <message>
        <source>Type of interference</source>
        <translation>干涉类型</translation>
    </message>
    <message>
        <source>Object 1</source>
        <translation>对象1</translation>
    </message>
    <message>
        <source>Object 2</source>
        <translation>对象2</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>No interfering parts to show: run an interference check first</source>
        <translation>没有可显示的干涉零件：请先进行干涉检查</translation>
    </message>
    <message>
        <source>Node colour</source>
        <translation>节点颜色</translation>
    </message>
    <message>
        <source>Transparency value</source>
        <translation>透明度值</translation>
    </message>
    <message>
        <source>A load or save is running; the request was refused.</source>
        <translation>正在加载或保存文件，请求被拒绝。</translation>
    </message>
    <message>
        <source>on_actionOpen_triggered</source>
        <translation>打开模型文件</translation>
    </message>
    <message>
        <source>on_actionOpenExample_triggered</source>
        <translation>打开示例文件</translation>
    </message>
    <message>
        <source>Not a model file: %1</source>
        <translation>不是模型文件：%1</translation>
    </message>
    <message>
        <source>Nothing could be read from %1</source>
        <translation>无法从 %1 读取任何内容</translation>
    </message>
    <message>
        <source>The model&apos;s animation was not loaded: %1</source>
        <translation>模型的动画未能载入：%1</translation>
    </message>
    <message>
        <source>on_actionSave_triggered</source>
        <translation>保存模型文件</translation>
    </message>
    <message>
        <source>on_actionSaveAs_triggered</source>
        <translation>模型文件另存为</translation>
    </message>
    <message>
        <source>Use Shift+Left Click to recenter view</source>
        <translation>按住 Shift 单击左键可重新居中视图</translation>
    </message>
    <message>
        <source>Use Ctrl+Left Click to select element</source>
        <translation>按住 Ctrl 单击左键可选择元素</translation>
    </message>
    <message>
        <source>Log file</source>
        <translation>日志文件</translation>
    </message>
    <message>
        <source>Log file (*.log)</source>
        <translation>日志文件 (*.log)</translation>
    </message>
    <message>
        <source>Can&apos;t save log file !!: %1</source>
        <translation>无法保存日志文件：%1</translation>
    </message>
    <message>
        <source>The help document %1 is not installed.</source>
        <translation>帮助文档 %1 未安装。</translation>
    </message>
    <message>
        <source>The help document is not installed:
%1</source>
        <translation>帮助文档未安装：
%1</translation>
    </message>
    <message>
        <source>No program could open the help document %1.</source>
        <translation>没有程序能打开帮助文档 %1。</translation>
    </message>
    <message>
        <source>No program could open the help document:
%1</source>
        <translation>没有程序能打开帮助文档：
%1</translation>
    </message>
    <message>
        <source>Host colour for model %1 ignored: not a number</source>
        <translation>宿主为模型 %1 给出的颜色不是数字，已忽略</translation>
    </message>
    <message>
        <source>Host transparency for model %1 ignored: not a number</source>
        <translation>宿主为模型 %1 给出的透明度不是数字，已忽略</translation>
    </message>
    <message>
        <source>Host command name of %1 characters ignored: %2...</source>
        <translation>宿主给出的 %1 个字符的命令名已忽略：%2...</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Images (*.png)</source>
        <translation>图片 (*.png)</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>保存失败</translation>
    </message>
    <message>
        <source>Error saving file</source>
        <translation>保存文件出错</translation>
    </message>
    <message>
        <source>File %1 saved</source>
        <translation>文件 %1 已保存</translation>
    </message>
    <message>
        <source>Structure tree actions</source>
        <translation>结构树操作</translation>
    </message>
    <message>
        <source>actionPasteNode</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>The row to insert under is gone; nothing was inserted.</source>
        <translation>要插入到其下的行已不存在，未插入任何内容。</translation>
    </message>
    <message>
        <source>A merge is still running.</source>
        <translation>合并仍在进行。</translation>
    </message>
    <message>
        <source>Saving %1 failed: %2</source>
        <translation>保存 %1 失败：%2</translation>
    </message>
    <message>
        <source>Perspective</source>
        <translation>透视投影</translation>
    </message>
    <message>
        <source>LOD x%1</source>
        <translation>细节层次 x%1</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>保存失败</source>
        <translation>保存失败</translation>
    </message>
    <message>
        <source>动画未能保存：%1
%2</source>
        <translation>动画未能保存：%1
%2</translation>
    </message>
    <message>
        <source>打开失败</source>
        <translation>打开失败</translation>
    </message>
    <message>
        <source>动画未能打开：%1
%2</source>
        <translation>动画未能打开：%1
%2</translation>
    </message>
    <message>
        <source>是否移除所有关键帧。</source>
        <translation>是否移除所有关键帧。</translation>
    </message>
    <message>
        <source>当前模型没有几何面，无法进行面面测量</source>
        <translation type="vanished">当前模型没有几何面，无法进行面面测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边线，无法进行圆心距测量</source>
        <translation type="vanished">当前模型没有几何边线，无法进行圆心距测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边线，无法进行轴距测量</source>
        <translation type="vanished">当前模型没有几何边线，无法进行轴距测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行线线测量</source>
        <translation type="vanished">当前模型没有几何边，无法进行线线测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行点线测量</source>
        <translation type="vanished">当前模型没有几何边，无法进行点线测量</translation>
    </message>
    <message>
        <source>当前模型没有几何面，无法进行点面测量</source>
        <translation type="vanished">当前模型没有几何面，无法进行点面测量</translation>
    </message>
    <message>
        <source>当前模型没有几何属性，无法进行线面测量</source>
        <translation type="vanished">当前模型没有几何属性，无法进行线面测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边或几何面，无法进行线面角度测量</source>
        <translation type="vanished">当前模型没有几何边或几何面，无法进行线面角度测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行线长测量</source>
        <translation type="vanished">当前模型没有几何边，无法进行线长测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行弧长测量</source>
        <translation type="vanished">当前模型没有几何边，无法进行弧长测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行半径测量</source>
        <translation type="vanished">当前模型没有几何边，无法进行半径测量</translation>
    </message>
    <message>
        <source>当前模型没有几何边，无法进行直径测量</source>
        <translation type="vanished">当前模型没有几何边，无法进行直径测量</translation>
    </message>
    <message>
        <source>请先选择一个需要修改颜色的模型</source>
        <translation>请先选择一个需要修改颜色的模型</translation>
    </message>
    <message>
        <source>请先选择一个需要修改透明度的模型</source>
        <translation>请先选择一个需要修改透明度的模型</translation>
    </message>
    <message>
        <source>正在加载或保存文件，请稍候再试。</source>
        <translation>正在加载或保存文件，请稍候再试。</translation>
    </message>
    <message>
        <source>打开模型文件</source>
        <translation>打开模型文件</translation>
    </message>
    <message>
        <source>Dazo files (*.dazo)</source>
        <translation>Dazo 模型文件 (*.dazo)</translation>
    </message>
    <message>
        <source>可选择一个样例文件</source>
        <translation>可选择一个样例文件</translation>
    </message>
    <message>
        <source>不支持的文件类型：%1</source>
        <translation>不支持的文件类型：%1</translation>
    </message>
    <message>
        <source>无法读取文件：%1</source>
        <translation>无法读取文件：%1</translation>
    </message>
    <message>
        <source>模型的动画无法读取</source>
        <translation>模型的动画无法读取</translation>
    </message>
    <message>
        <source>文件保存进行中，请耐心等待！</source>
        <translation>文件保存进行中，请耐心等待！</translation>
    </message>
    <message>
        <source>保存模型文件到文件夹</source>
        <translation>保存模型文件到文件夹</translation>
    </message>
    <message>
        <source>文件另存为进行中，请耐心等待！</source>
        <translation>文件另存为进行中，请耐心等待！</translation>
    </message>
    <message>
        <source>actionCreateAssembly</source>
        <translation>创建装配</translation>
    </message>
    <message>
        <source>actionInsertNode</source>
        <translation>插入模型</translation>
    </message>
    <message>
        <source>actionRenameNode</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>actionDeleteNode</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>actionCutNode</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>actionCopyNode</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>actionExpandTree</source>
        <translation>全部展开</translation>
    </message>
    <message>
        <source>actionCollapseTree</source>
        <translation>全部折叠</translation>
    </message>
    <message>
        <source>请先选择一个需要隐藏的模型</source>
        <translation>请先选择一个需要隐藏的模型</translation>
    </message>
    <message>
        <source>请先选择一个需要隔离的模型</source>
        <translation>请先选择一个需要隔离的模型</translation>
    </message>
    <message>
        <source>请选择需要合并的节点！</source>
        <translation>请选择需要合并的节点！</translation>
    </message>
    <message>
        <source>合并规则：</source>
        <translation>合并规则：</translation>
    </message>
    <message>
        <source>1) 若一节点下的所有节点都被选中，则合并至该节点。</source>
        <translation>1) 若一节点下的所有节点都被选中，则合并至该节点。</translation>
    </message>
    <message>
        <source>2) 若一节点下的部分节点被选中，则合并为一个MergeModel节点，该节点位于最后。</source>
        <translation>2) 若一节点下的部分节点被选中，则合并为一个MergeModel节点，该节点位于最后。</translation>
    </message>
    <message>
        <source>3) 合并命令可能会花费些许时间，请耐心等待！</source>
        <translation>3) 合并命令可能会花费些许时间，请耐心等待！</translation>
    </message>
    <message>
        <source>4) 该操作不可回退，请谨慎执行！</source>
        <translation>4) 该操作不可回退，请谨慎执行！</translation>
    </message>
    <message>
        <source>1) 所有子节点将被合并至根节点。</source>
        <translation>1) 所有子节点将被合并至根节点。</translation>
    </message>
    <message>
        <source>2) 合并命令可能会花费些许时间，请耐心等待！</source>
        <translation>2) 合并命令可能会花费些许时间，请耐心等待！</translation>
    </message>
    <message>
        <source>3) 该操作不可回退，请谨慎执行！</source>
        <translation>3) 该操作不可回退，请谨慎执行！</translation>
    </message>
    <message>
        <source>结构树</source>
        <translation>结构树</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>协同</source>
        <translation>协同</translation>
    </message>
    <message>
        <source>时间轴</source>
        <translation>时间轴</translation>
    </message>
    <message>
        <source>保存完毕！</source>
        <translation>保存完毕！</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>保存失败！</translation>
    </message>
    <message>
        <source>文件未能保存：%1
%2</source>
        <translation>文件未能保存：%1
%2</translation>
    </message>
    <message>
        <source>Collision List</source>
        <comment>table</comment>
        <translation>干涉列表</translation>
    </message>
    <message>
        <source>Transparency</source>
        <comment>slider</comment>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Help</source>
        <comment>message box</comment>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Collision List</source>
        <comment>dock</comment>
        <translation>干涉列表</translation>
    </message>
    <message>
        <source>Parallel projection</source>
        <comment>projection toggle</comment>
        <translation>平行投影</translation>
    </message>
    <message>
        <source>The %1 document of %2 was read only in part: %3. A save keeps it as stored unless it is changed.</source>
        <translation>%2 的%1文档只读取了一部分：%3。除非修改它，保存时将按原样保留。</translation>
    </message>
    <message numerus="yes">
        <source>%1 holds %n member(s) this program does not read; a save keeps them.</source>
        <translation>
            <numerusform>%1 包含 %n 个本程序不读取的成员；保存时将保留它们。</numerusform>
        </translation>
    </message>
    <message>
        <source>Part of this model&apos;s documents could not be read; the file keeps them as they are.</source>
        <translation>此模型的部分文档无法读取；文件将原样保留它们。</translation>
    </message>
    <message>
        <source>The unsaved changes of %1 were discarded at the host&apos;s request</source>
        <translation>已按宿主程序的请求放弃 %1 未保存的修改</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>保存修改</translation>
    </message>
    <message>
        <source>%1 has changes that are not saved. Save them first?</source>
        <translation>%1 有尚未保存的修改。是否先保存？</translation>
    </message>
    <message>
        <source>The unsaved changes of %1 were discarded</source>
        <translation>已放弃 %1 未保存的修改</translation>
    </message>
    <message>
        <source>Saving %1: the changed %2 were read only in part; what the file held is kept beside them</source>
        <translation>正在保存 %1：修改过的%2只读取了一部分；文件原有的内容保留在其旁边</translation>
    </message>
    <message>
        <source>These documents of the model were read only in part: %1.
Your changes are saved, and what the file held is kept in the file beside them, unchanged.</source>
        <translation>模型的以下文档只读取了一部分：%1。
您的修改将被保存，文件中原有的内容原样保留在其旁边。</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
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
        <source>Cannot open the file</source>
        <translation>无法打开文件</translation>
    </message>
</context>
<context>
    <name>MeasureProperty</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>ModelMergeCommand</name>
    <message>
        <source>Merging models</source>
        <translation>正在合并模型</translation>
    </message>
</context>
<context>
    <name>MyTreeView</name>
    <message>
        <source>Structure tree</source>
        <translation>结构树</translation>
    </message>
</context>
<context>
    <name>ObjectLoader</name>
    <message>
        <source>Loading of %1 ...</source>
        <translation>正在加载 %1 ...</translation>
    </message>
    <message>
        <source>Optimization of the graph ...</source>
        <translation>正在优化场景图 ...</translation>
    </message>
    <message>
        <source>%1 is not a model file</source>
        <translation>%1 不是模型文件</translation>
    </message>
    <message>
        <source>%1 is not a bill of materials</source>
        <translation>%1 不是物料清单</translation>
    </message>
    <message>
        <source>%1 is not a model file name (.dazo or .liteprt)</source>
        <translation>%1 不是模型文件名（.dazo 或 .liteprt）</translation>
    </message>
    <message>
        <source>The %1 document is not valid JSON and is not saved</source>
        <translation type="vanished">%1 文档不是有效的 JSON，未保存</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已保存 %1</translation>
    </message>
    <message>
        <source>There is no model to save</source>
        <translation>没有可保存的模型</translation>
    </message>
    <message>
        <source>初始化</source>
        <translation>初始化</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>The bill of materials %1 is named by a relative path; give its whole path</source>
        <translation type="vanished">物料清单 %1 使用了相对路径；请给出完整路径</translation>
    </message>
</context>
<context>
    <name>OsgTreeModel</name>
    <message>
        <source>&lt;unnamed&gt;</source>
        <translation>&lt;未命名&gt;</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>说明</translation>
    </message>
</context>
<context>
    <name>PosterImageDialog</name>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Images (*.png)</source>
        <translation>图片 (*.png)</translation>
    </message>
    <message>
        <source>Poster written to %1</source>
        <translation>海报已写入 %1</translation>
    </message>
    <message>
        <source>Poster Image Production</source>
        <translation>海报图片制作</translation>
    </message>
    <message>
        <source>The poster size must be a multiple of %1 pixels</source>
        <translation>海报尺寸必须是 %1 像素的整数倍</translation>
    </message>
    <message>
        <source>No output file was given for the poster</source>
        <translation>没有给出海报的输出文件</translation>
    </message>
    <message>
        <source>There is no scene to render</source>
        <translation>没有可渲染的场景</translation>
    </message>
    <message>
        <source>Not enough memory for a poster of %1 x %1 pixels</source>
        <translation>内存不足，无法生成 %1 x %1 像素的海报</translation>
    </message>
    <message>
        <source>No offscreen surface could be made to render the poster</source>
        <translation>无法创建用于渲染海报的离屏表面</translation>
    </message>
    <message>
        <source>The poster was not finished: %1 of %2 tiles were drawn</source>
        <translation>海报未完成：%2 块中只绘制了 %1 块</translation>
    </message>
    <message>
        <source>The poster could not be written to %1</source>
        <translation>海报无法写入 %1</translation>
    </message>
    <message>
        <source>%1x%2 = %3 tile(s)</source>
        <translation>%1x%2 = %3 块</translation>
    </message>
</context>
<context>
    <name>PosterImageDialogClass</name>
    <message>
        <source>Poster Image Production</source>
        <translation>海报图片制作</translation>
    </message>
    <message>
        <source>Nota: to have the same aspect between poster and main view, you have to set the aspect ratio of the primary view to 1:1</source>
        <translation>注意：要使海报与主视图的外观一致，须将主视图的宽高比设为 1:1</translation>
    </message>
    <message>
        <source>Poster Image  Parameters</source>
        <translation>海报图片参数</translation>
    </message>
    <message>
        <source>Poster size * ** (in pixel)</source>
        <translation>海报尺寸 * **（像素）</translation>
    </message>
    <message>
        <source>Poster size</source>
        <translation>海报尺寸</translation>
    </message>
    <message>
        <source>(*) the maximum size of poster depends on system memory</source>
        <translation>(*) 海报的最大尺寸取决于系统内存</translation>
    </message>
    <message>
        <source>(**) size is defined as multiple of 1024 pixels</source>
        <translation>(**) 尺寸为 1024 像素的整数倍</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>输出文件</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose output file</source>
        <translation>选择输出文件</translation>
    </message>
    <message>
        <source>Tile Number</source>
        <translation>分块数</translation>
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
        <translation>海报进度</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>PreferencesWidget</name>
    <message>
        <source>detected language: %1</source>
        <translation>检测到的语言：%1</translation>
    </message>
    <message>
        <source>Automatic detection</source>
        <translation>自动检测</translation>
    </message>
    <message>
        <source>Default (no use of translation files)</source>
        <translation>默认（不使用翻译文件）</translation>
    </message>
    <message>
        <source>The application need to restart in order to take into account new translation
, Do you want to restart application now ?</source>
        <translation>需要重新启动程序才能使用新的语言。
现在重新启动吗？</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
</context>
<context>
    <name>PreferencesWidgetClass</name>
    <message>
        <source>Preferences</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source> Preferences </source>
        <translation> 首选项 </translation>
    </message>
    <message>
        <source>Display splashscreen at startup</source>
        <translation>启动时显示启动画面</translation>
    </message>
    <message>
        <source>Splashscreen with transparent background</source>
        <translation>启动画面使用透明背景</translation>
    </message>
    <message>
        <source>Add watermark to snapshot</source>
        <translation>截图添加水印</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Detected language ...</source>
        <translation>检测到的语言 ...</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Display trackball helper</source>
        <translation>显示轨迹球辅助</translation>
    </message>
    <message>
        <source>inverse mouse wheel</source>
        <translation>反转鼠标滚轮</translation>
    </message>
</context>
<context>
    <name>PropertyWidget</name>
    <message>
        <source>Properties</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>USE_BOUNDING_SPHERE_CENTER</source>
        <translation>使用包围球中心</translation>
    </message>
    <message>
        <source>USER_DEFINED_CENTER</source>
        <translation>用户定义中心</translation>
    </message>
    <message>
        <source>DISTANCE_FROM_EYE_POINT</source>
        <translation>到视点的距离</translation>
    </message>
    <message>
        <source>PIXEL_SIZE_ON_SCREEN</source>
        <translation>屏幕像素尺寸</translation>
    </message>
    <message>
        <source>True</source>
        <translation>是</translation>
    </message>
    <message>
        <source>False</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Data Variance</source>
        <translation>数据可变性</translation>
    </message>
    <message>
        <source>Node Mask</source>
        <translation>节点掩码</translation>
    </message>
    <message>
        <source>Center Mode</source>
        <translation>中心模式</translation>
    </message>
    <message>
        <source>Range Mode</source>
        <translation>范围模式</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>中心</translation>
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
        <translation>半径</translation>
    </message>
    <message>
        <source>Range list</source>
        <translation>范围列表</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>范围</translation>
    </message>
    <message>
        <source>Value list</source>
        <translation>值列表</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>尺寸</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>Center Point</source>
        <translation>中心点</translation>
    </message>
    <message>
        <source>Total vertices</source>
        <translation>顶点总数</translation>
    </message>
    <message>
        <source>Max depth</source>
        <translation>最大深度</translation>
    </message>
    <message>
        <source>Slow path Geometries</source>
        <translation>慢速路径几何体</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>组节点</translation>
    </message>
    <message>
        <source>LODs</source>
        <translation>细节层次节点</translation>
    </message>
    <message>
        <source>PagedLODs</source>
        <translation>分页细节层次节点</translation>
    </message>
    <message>
        <source>Switches</source>
        <translation>开关节点</translation>
    </message>
    <message>
        <source>Sequences</source>
        <translation>序列节点</translation>
    </message>
    <message>
        <source>MatrixTransforms</source>
        <translation>矩阵变换节点</translation>
    </message>
    <message>
        <source>DOFTransforms</source>
        <translation>自由度变换节点</translation>
    </message>
    <message>
        <source>Other Transforms</source>
        <translation>其他变换节点</translation>
    </message>
    <message>
        <source>Geodes</source>
        <translation>几何节点</translation>
    </message>
    <message>
        <source>Other Nodes</source>
        <translation>其他节点</translation>
    </message>
    <message>
        <source>Empty StateSets</source>
        <translation>空状态集</translation>
    </message>
    <message>
        <source>Total StateSets</source>
        <translation>状态集总数</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>着色程序</translation>
    </message>
    <message>
        <source>Uniforms</source>
        <translation>统一变量</translation>
    </message>
    <message>
        <source>Total Attributes</source>
        <translation>属性总数</translation>
    </message>
    <message>
        <source>Total Modes</source>
        <translation>模式总数</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>纹理</translation>
    </message>
    <message>
        <source>Total TexAttributes</source>
        <translation>纹理属性总数</translation>
    </message>
    <message>
        <source>Total TexModes</source>
        <translation>纹理模式总数</translation>
    </message>
    <message>
        <source>NULL Geometries</source>
        <translation>空几何体</translation>
    </message>
    <message>
        <source>Total Geometries</source>
        <translation>几何体总数</translation>
    </message>
    <message>
        <source>Texts</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Other Drawables</source>
        <translation>其他可绘制对象</translation>
    </message>
    <message>
        <source>Total Drawables</source>
        <translation>可绘制对象总数</translation>
    </message>
    <message>
        <source>DrawArrays</source>
        <translation>DrawArrays 图元集</translation>
    </message>
    <message>
        <source>Total PrimitiveSets</source>
        <translation>图元集总数</translation>
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
        <source>%1: &quot;%2&quot; is missing; its default is used</source>
        <translation>%1：缺少“%2”，使用其默认值</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; has the unreadable value &quot;%3&quot;; its default is used</source>
        <translation>%1：“%2”的值“%3”无法读取，使用其默认值</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; = %3 lies outside %4..%5; %6 is used</source>
        <translation>%1：“%2” = %3 超出 %4..%5，使用 %6</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is missing; the default tool strip is used</source>
        <translation>%1：缺少“%2”，使用默认的快捷工具栏</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; has the unreadable value &quot;%3&quot;; the default tool strip is used</source>
        <translation>%1：“%2”的值“%3”无法读取，使用默认的快捷工具栏</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; = %3 lies outside 0..%4</source>
        <translation>%1：“%2” = %3 超出 0..%4</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is missing; the tool strip ends before it</source>
        <translation>%1：缺少“%2”，快捷工具栏到此为止</translation>
    </message>
    <message>
        <source>&lt;no image&gt;</source>
        <translation>&lt;无图片&gt;</translation>
    </message>
    <message>
        <source>stringToVariant(): Error in digit (%1).</source>
        <translation>数字有误（%1）。</translation>
    </message>
    <message>
        <source>The file name %1 given on the command line is not valid text in the system&apos;s encoding (%2); the file cannot be opened by this name.</source>
        <translation>命令行给出的文件名 %1 不是系统编码（%2）下的有效文本；无法按此名称打开文件。</translation>
    </message>
    <message>
        <source>The file %1 given on the command line does not exist.</source>
        <translation>命令行给出的文件 %1 不存在。</translation>
    </message>
    <message>
        <source>stringToVariant(): a picture claims more pixels than its %1 characters hold.</source>
        <translation>stringToVariant()：图片声称的像素多于其 %1 个字符所能容纳的数量。</translation>
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
    <message>
        <source>Recent commands</source>
        <translation>最近的命令</translation>
    </message>
    <message>
        <source>No notes to export: no model is open</source>
        <translation>没有可导出的注释：没有打开模型</translation>
    </message>
    <message>
        <source>Cannot open the note file %1</source>
        <translation>无法打开注释文件 %1</translation>
    </message>
    <message>
        <source>No notes could be read from %1</source>
        <translation>无法从 %1 读取注释</translation>
    </message>
    <message>
        <source>Measure result</source>
        <translation>测量结果</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>面积测量</source>
        <translation>面积测量</translation>
    </message>
    <message>
        <source>体积测量</source>
        <translation>体积测量</translation>
    </message>
</context>
<context>
    <name>SearchLineEdit</name>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Search options</source>
        <translation>搜索选项</translation>
    </message>
    <message>
        <source>&lt;type text&gt;</source>
        <translation>&lt;输入文字&gt;</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>区分大小写</translation>
    </message>
</context>
<context>
    <name>SystemSetting</name>
    <message>
        <source>common</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>backRound</source>
        <translation>背景</translation>
    </message>
    <message>
        <source>snapshot</source>
        <translation>截图</translation>
    </message>
    <message>
        <source>preselection</source>
        <translation>预选</translation>
    </message>
    <message>
        <source>isGridShow</source>
        <translation>网格</translation>
    </message>
    <message>
        <source>section</source>
        <translation>剖切</translation>
    </message>
    <message>
        <source>animation</source>
        <translation>动画</translation>
    </message>
    <message>
        <source>Roam</source>
        <translation>漫游</translation>
    </message>
    <message>
        <source>review</source>
        <translation>审阅</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>测量</translation>
    </message>
    <message>
        <source>note</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>mark</source>
        <translation>批注</translation>
    </message>
    <message>
        <source>PMI</source>
        <translation>PMI</translation>
    </message>
    <message>
        <source>Collision</source>
        <translation>干涉</translation>
    </message>
    <message>
        <source>performance</source>
        <translation>性能</translation>
    </message>
    <message>
        <source>Quick Access Toolbar</source>
        <translation>快捷工具栏</translation>
    </message>
    <message>
        <source>%1 could not be read; the defaults are used</source>
        <translation>无法读取 %1，使用默认值</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2</source>
        <translation>设置无法保存到 %1：%2</translation>
    </message>
    <message>
        <source>SystemSetting</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>开发者选项</source>
        <translation>开发者选项</translation>
    </message>
    <message>
        <source>请选择文件路径...</source>
        <translation>请选择文件路径...</translation>
    </message>
</context>
<context>
    <name>SystemSettingWidget</name>
    <message>
        <source>SystemSetting</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>backround color：</source>
        <translation>背景颜色：</translation>
    </message>
    <message>
        <source>backround color begin:</source>
        <translation>背景渐变起始颜色：</translation>
    </message>
    <message>
        <source>backround color end:</source>
        <translation>背景渐变结束颜色：</translation>
    </message>
    <message>
        <source>snapshot setting</source>
        <translation>截图设置</translation>
    </message>
    <message>
        <source>break round Transparent</source>
        <translation>透明背景</translation>
    </message>
    <message>
        <source>Measure:</source>
        <translation>测量：</translation>
    </message>
    <message>
        <source>unit:</source>
        <translation>单位：</translation>
    </message>
    <message>
        <source>millimeter(mm)</source>
        <translation>毫米(mm)</translation>
    </message>
    <message>
        <source>centimeter(cm)</source>
        <translation>厘米(cm)</translation>
    </message>
    <message>
        <source>meter(m)</source>
        <translation>米(m)</translation>
    </message>
    <message>
        <source>Exactvalue:</source>
        <translation>精度：</translation>
    </message>
    <message>
        <source>note setting:</source>
        <translation>注释设置：</translation>
    </message>
    <message>
        <source>font size</source>
        <translation>字号</translation>
    </message>
    <message>
        <source>font color</source>
        <translation>字体颜色</translation>
    </message>
    <message>
        <source>mark setting:</source>
        <translation>批注设置：</translation>
    </message>
    <message>
        <source>mark Line width:</source>
        <translation>批注线宽：</translation>
    </message>
    <message>
        <source>mark Color:</source>
        <translation>批注颜色：</translation>
    </message>
    <message>
        <source>section setting</source>
        <translation>剖切设置</translation>
    </message>
    <message>
        <source>section show</source>
        <translation>显示剖切平面</translation>
    </message>
    <message>
        <source>section Transparent</source>
        <translation>剖切平面透明度</translation>
    </message>
    <message>
        <source>section color</source>
        <translation>剖切颜色</translation>
    </message>
    <message>
        <source>Collision color：</source>
        <translation>干涉颜色：</translation>
    </message>
    <message>
        <source>Collision point color:</source>
        <translation>干涉点颜色：</translation>
    </message>
    <message>
        <source>Contact pair color:</source>
        <translation>接触对颜色：</translation>
    </message>
    <message>
        <source>preselection setting</source>
        <translation>预选设置</translation>
    </message>
    <message>
        <source> AllowPreSelected</source>
        <translation> 允许预选</translation>
    </message>
    <message>
        <source>AllowMultiSelected</source>
        <translation>允许多选</translation>
    </message>
    <message>
        <source>preselection Color:</source>
        <translation>预选颜色：</translation>
    </message>
    <message>
        <source>selection Color：</source>
        <translation>选中颜色：</translation>
    </message>
    <message>
        <source>PMI Setting:</source>
        <translation>PMI 设置：</translation>
    </message>
    <message>
        <source>Read PMI</source>
        <translation>读取 PMI</translation>
    </message>
    <message>
        <source>开启日志：</source>
        <translation>开启日志：</translation>
    </message>
    <message>
        <source>日志等级：</source>
        <translation>日志等级：</translation>
    </message>
    <message>
        <source>逐帧调试</source>
        <translation>逐帧调试</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>调试信息</translation>
    </message>
    <message>
        <source>消息信息</source>
        <translation>消息信息</translation>
    </message>
    <message>
        <source>警告信息</source>
        <translation>警告信息</translation>
    </message>
    <message>
        <source>错误信息</source>
        <translation>错误信息</translation>
    </message>
    <message>
        <source>日志路径：</source>
        <translation>日志路径：</translation>
    </message>
    <message>
        <source>选择路径</source>
        <translation>选择路径</translation>
    </message>
    <message>
        <source>grid</source>
        <translation>网格</translation>
    </message>
    <message>
        <source>gridShow</source>
        <translation>显示网格</translation>
    </message>
    <message>
        <source>gridColor</source>
        <translation>网格颜色</translation>
    </message>
    <message>
        <source>动画</source>
        <translation>动画</translation>
    </message>
    <message>
        <source>恢复命令提示</source>
        <translation>恢复命令提示</translation>
    </message>
    <message>
        <source>RoamSetting:</source>
        <translation>漫游设置：</translation>
    </message>
    <message>
        <source>SmartSelectBodyLength:</source>
        <translation>智能选择人体身高：</translation>
    </message>
    <message>
        <source>WalkerHumanBodyLength:</source>
        <translation>漫游人体身高：</translation>
    </message>
    <message>
        <source>Select the command you want to add</source>
        <translation>选择要添加的命令</translation>
    </message>
    <message>
        <source>add&gt;&gt;</source>
        <translation>添加&gt;&gt;</translation>
    </message>
    <message>
        <source>remove&lt;&lt;</source>
        <translation>&lt;&lt;移除</translation>
    </message>
    <message>
        <source>Customize the shortcut Access Toolbar</source>
        <translation>自定义快捷工具栏</translation>
    </message>
    <message>
        <source>modelLoad</source>
        <translation>模型加载</translation>
    </message>
    <message>
        <source>loadEdge</source>
        <translation>加载边线</translation>
    </message>
    <message>
        <source>faceMerge</source>
        <translation>合并面</translation>
    </message>
    <message>
        <source>smallFeatureCulling</source>
        <translation>小特征剔除</translation>
    </message>
    <message>
        <source>cullingData</source>
        <translation>剔除尺寸</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>恢复默认</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Settings pages</source>
        <translation>设置页列表</translation>
    </message>
    <message>
        <source>Settings page</source>
        <translation>设置页</translation>
    </message>
</context>
<context>
    <name>TimelineDialog</name>
    <message>
        <source>Dialog</source>
        <translation>时间设置</translation>
    </message>
    <message>
        <source>时间轴</source>
        <translation>时间轴</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>持续时间</source>
        <translation>持续时间</translation>
    </message>
    <message>
        <source>动画</source>
        <translation>动画</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>时间设置</source>
        <translation>时间设置</translation>
    </message>
</context>
<context>
    <name>TransformDraggerCommand</name>
    <message>
        <source>请先选择要变换的模型</source>
        <translation>请先选择要变换的模型</translation>
    </message>
    <message>
        <source>点击模型上的点、角点或圆形边/孔作为新的轴位置</source>
        <translation>点击模型上的点、角点或圆形边/孔作为新的轴位置</translation>
    </message>
    <message>
        <source>没有点中模型，请点击模型上的点</source>
        <translation>没有点中模型，请点击模型上的点</translation>
    </message>
    <message>
        <source>无法把轴放到这个位置</source>
        <translation>无法把轴放到这个位置</translation>
    </message>
    <message>
        <source>拖动箭头沿该方向移动所选模型，按 Esc 结束</source>
        <translation>拖动箭头沿该方向移动所选模型，按 Esc 结束</translation>
    </message>
    <message>
        <source>拖动平面控制柄在平面内移动所选模型，按 Esc 结束</source>
        <translation>拖动平面控制柄在平面内移动所选模型，按 Esc 结束</translation>
    </message>
    <message>
        <source>拖动圆环旋转所选模型，按 Esc 结束</source>
        <translation>拖动圆环旋转所选模型，按 Esc 结束</translation>
    </message>
    <message>
        <source>拖动控制柄缩放所选模型，按 Esc 结束</source>
        <translation>拖动控制柄缩放所选模型，按 Esc 结束</translation>
    </message>
</context>
<context>
    <name>Vantor::AnimationEditorUI</name>
    <message>
        <source>Keyframe timeline</source>
        <translation>关键帧时间轴</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>效果</translation>
    </message>
    <message>
        <source>Keyframes</source>
        <translation>关键帧</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>全选(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>Animation timeline</source>
        <translation>动画时间轴</translation>
    </message>
    <message>
        <source>Autokey</source>
        <translation>自动关键帧</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加关键帧</translation>
    </message>
    <message>
        <source>PositionKey</source>
        <translation>位置关键帧</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>相机关键帧</translation>
    </message>
    <message>
        <source>SelectNode</source>
        <translation>显示所选节点</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>起点</translation>
    </message>
    <message>
        <source>LastKey</source>
        <translation>上一关键帧</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>上一帧</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一帧</translation>
    </message>
    <message>
        <source>NextKey</source>
        <translation>下一关键帧</translation>
    </message>
    <message>
        <source>End</source>
        <translation>终点</translation>
    </message>
    <message>
        <source>Matrial</source>
        <translation>材质关键帧</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>透明度关键帧</translation>
    </message>
    <message>
        <source>Visibility</source>
        <translation>可见性关键帧</translation>
    </message>
    <message>
        <source>ReversePlay</source>
        <translation>倒放</translation>
    </message>
    <message>
        <source>CyclicPlay</source>
        <translation>循环播放</translation>
    </message>
    <message>
        <source>CameraPlay</source>
        <translation>相机动画</translation>
    </message>
    <message>
        <source>SceneView</source>
        <translation>视图关键帧</translation>
    </message>
    <message>
        <source>FadeIn</source>
        <translation>淡入</translation>
    </message>
    <message>
        <source>FadeOut</source>
        <translation>淡出</translation>
    </message>
    <message>
        <source>HotSpot</source>
        <translation>热点</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>材质</source>
        <translation>材质</translation>
    </message>
    <message>
        <source>透明度</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>可见性</source>
        <translation>可见性</translation>
    </message>
    <message>
        <source>摄像机</source>
        <translation>摄像机</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>模型较复杂，添加视图将会花费较长时间，是否继续？</source>
        <translation>模型较复杂，添加视图将会花费较长时间，是否继续？</translation>
    </message>
    <message>
        <source>不再提示</source>
        <translation>不再提示</translation>
    </message>
    <message>
        <source>位置:%1 偏移:%2</source>
        <translation>位置:%1 偏移:%2</translation>
    </message>
</context>
<context>
    <name>dialog</name>
    <message>
        <source>碰撞</source>
        <translation>干涉检查</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>dockWidgetBookmark</name>
    <message>
        <source>Bookmark</source>
        <translation>视图</translation>
    </message>
</context>
<context>
    <name>logDock</name>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
</context>
<context>
    <name>propertyDock</name>
    <message>
        <source>Properties</source>
        <translation>属性</translation>
    </message>
</context>
<context>
    <name>statisticsDock</name>
    <message>
        <source>Statistics</source>
        <translation>统计</translation>
    </message>
</context>
<context>
    <name>treeDock</name>
    <message>
        <source>Structure</source>
        <translation>结构树</translation>
    </message>
</context>
</TS>
