<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgSchedule</name>
    <message>
        <source>Schedule</source>
        <translation>定时任务</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>添加...</translation>
    </message>
    <message>
        <source>Modify...</source>
        <translation>修改...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>%1-%2-%3</source>
        <translation>%1年%2月%3日</translation>
    </message>
    <message>
        <source>Sure to delete selected schedule?</source>
        <translation>确定删除所选的定时任务吗？</translation>
    </message>
</context>
<context>
    <name>CDlgScheduleEdit2</name>
    <message>
        <source>Edit Schedule</source>
        <translation>编辑定时任务</translation>
    </message>
    <message>
        <source>Set Start Time</source>
        <translation>设置开始时间</translation>
    </message>
    <message>
        <source>Start Date:</source>
        <translation>开始日期：</translation>
    </message>
    <message>
        <source>yyyy-M-d</source>
        <translation>yyyy-M-d</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>开始时间：</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>Set Scene</source>
        <translation>设置场景</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Select a scene to execute!</source>
        <translation>请选择要执行的场景！</translation>
    </message>
    <message>
        <source>Start datetime can not be earlier than the current datetime!</source>
        <translation>开始时间不能早于当前时间！</translation>
    </message>
</context>
</TS>
