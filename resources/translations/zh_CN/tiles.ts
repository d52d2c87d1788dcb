<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgRankLayout</name>
    <message>
        <source>Sort layout</source>
        <translation>布局排序</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CDlgRxChangeGroup</name>
    <message>
        <source>Change Group</source>
        <translation>更改分组</translation>
    </message>
    <message>
        <source>Device Name:</source>
        <translation>设备名称：</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>文本标签</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>分组：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CDlgVWEdit</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Video Wall Name:</source>
        <translation>电视墙名称：</translation>
    </message>
    <message>
        <source>Row:</source>
        <translation>行：</translation>
    </message>
    <message>
        <source>Col:</source>
        <translation>列：</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>分组：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Invaild character:</source>
        <translation>无效字符：</translation>
    </message>
    <message>
        <source>Create Video Wall</source>
        <translation>创建电视墙</translation>
    </message>
    <message>
        <source>Edit Video Wall</source>
        <translation>编辑电视墙</translation>
    </message>
    <message>
        <source>Enter a video wall name.</source>
        <translation>请输入电视墙名称。</translation>
    </message>
    <message>
        <source>Name &quot;%1&quot; exists. Use another name.</source>
        <translation>名称“%1”已存在，请使用其他名称。</translation>
    </message>
</context>
<context>
    <name>CFormAll</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>文本标签</translation>
    </message>
</context>
<context>
    <name>CFormDevice</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>TX:NULL</source>
        <translation>TX:无</translation>
    </message>
    <message>
        <source>RX:</source>
        <translation>RX:</translation>
    </message>
    <message>
        <source>MRX:</source>
        <translation>MRX:</translation>
    </message>
    <message>
        <source>TX:</source>
        <translation>TX:</translation>
    </message>
    <message>
        <source>TX:N/A</source>
        <translation>TX:无</translation>
    </message>
    <message>
        <source>Change TX</source>
        <translation>更换 TX</translation>
    </message>
    <message>
        <source>Remove TX</source>
        <translation>移除 TX</translation>
    </message>
</context>
<context>
    <name>CFormOneKey</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>To all screens</source>
        <translation>应用到所有屏幕</translation>
    </message>
</context>
<context>
    <name>CFormVW</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>文本标签</translation>
    </message>
    <message>
        <source>TX:</source>
        <translation>TX:</translation>
    </message>
    <message>
        <source>TX:N/A</source>
        <translation>TX:无</translation>
    </message>
    <message>
        <source>The default layout is not a Standard Video Wall</source>
        <translation>默认布局不是标准电视墙</translation>
    </message>
</context>
</TS>
