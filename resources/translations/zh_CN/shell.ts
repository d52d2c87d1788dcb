<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QObject</name>
    <message>
        <source>An instance of this application has been run!</source>
        <translation>本程序已有一个实例在运行！</translation>
    </message>
    <message>
        <source>Program configure error!</source>
        <translation>程序配置错误！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>全部保存</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Yes To All</source>
        <translation>全部是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>No To All</source>
        <translation>全部否</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>忽略</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>恢复默认值</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>已更新</translation>
    </message>
    <message>
        <source>Applied successfully</source>
        <translation>应用成功</translation>
    </message>
    <message>
        <source>Failed to apply</source>
        <translation>应用失败</translation>
    </message>
    <message>
        <source>Video Wall within a Wall</source>
        <translation>墙中墙</translation>
    </message>
    <message>
        <source>WP Layout</source>
        <translation>WP 布局</translation>
    </message>
    <message>
        <source>All Groups</source>
        <translation>所有分组</translation>
    </message>
    <message>
        <source>ungrouped</source>
        <translation>未分组</translation>
    </message>
</context>
</TS>
