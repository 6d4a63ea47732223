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
</context>
</TS>
