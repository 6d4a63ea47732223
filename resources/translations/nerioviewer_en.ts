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
</context>
</TS>
