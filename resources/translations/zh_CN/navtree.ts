<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
</context>
<context>
    <name>CDevinfoWidget</name>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Alias: </source>
        <translation>别名：</translation>
    </message>
    <message>
        <source>Device Type: </source>
        <translation>设备类型：</translation>
    </message>
    <message>
        <source>Hostname: </source>
        <translation>主机名：</translation>
    </message>
    <message>
        <source>IP Address: </source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>SinkInfo: </source>
        <translation>显示器信息：</translation>
    </message>
    <message>
        <source>IP Controller</source>
        <translation>IP 控制器</translation>
    </message>
</context>
<context>
    <name>CDlgPrompt</name>
    <message>
        <source>Tip</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please click &quot;Search&quot; on the toolbar to start.</source>
        <translation>请点击工具栏上的“搜索”开始。</translation>
    </message>
    <message>
        <source>Do not show this dialog again</source>
        <translation>不再显示此对话框</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CDlgWelcome</name>
    <message>
        <source>Welcome</source>
        <translation>欢迎</translation>
    </message>
    <message>
        <source>New file</source>
        <translation>新建文件</translation>
    </message>
    <message>
        <source>Create a new empty project file</source>
        <translation>创建一个新的空工程文件</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Open an existing project file</source>
        <translation>打开已有的工程文件</translation>
    </message>
    <message>
        <source>Don&apos;t show this dialog again</source>
        <translation>不再显示此对话框</translation>
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
        <source>More Files...</source>
        <translation>更多文件...</translation>
    </message>
</context>
<context>
    <name>CFormGroupList</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Batch group change</source>
        <translation>批量更改分组</translation>
    </message>
    <message>
        <source>Batch Group Change</source>
        <translation>批量更改分组</translation>
    </message>
    <message>
        <source>Expand All</source>
        <translation>全部展开</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Collapse All</source>
        <translation>全部折叠</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>To List</source>
        <translation>切换到列表</translation>
    </message>
    <message>
        <source>Name(Alias)</source>
        <translation>名称(别名)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>主机名</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <source>Video Wall</source>
        <translation>电视墙</translation>
    </message>
    <message>
        <source>Hostname: %1
IP Address: %2</source>
        <translation>主机名：%1
IP 地址：%2</translation>
    </message>
    <message>
        <source>Create Group</source>
        <translation>创建分组</translation>
    </message>
    <message>
        <source>Create Video Wall</source>
        <translation>创建电视墙</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>编辑分组</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>删除分组</translation>
    </message>
    <message>
        <source>Edit Video Wall</source>
        <translation>编辑电视墙</translation>
    </message>
    <message>
        <source>Delete Video Wall</source>
        <translation>删除电视墙</translation>
    </message>
    <message>
        <source>Create Layout</source>
        <translation>创建布局</translation>
    </message>
    <message>
        <source>Edit Layout</source>
        <translation>编辑布局</translation>
    </message>
    <message>
        <source>Delete Layout</source>
        <translation>删除布局</translation>
    </message>
    <message>
        <source>Set As Default</source>
        <translation>设为默认</translation>
    </message>
    <message>
        <source>EDID Export</source>
        <translation>导出 EDID</translation>
    </message>
    <message>
        <source>Change Group</source>
        <translation>更改分组</translation>
    </message>
    <message>
        <source>Name already exists!</source>
        <translation>名称已存在！</translation>
    </message>
    <message>
        <source>Select the node please.</source>
        <translation>请选择节点。</translation>
    </message>
    <message>
        <source>Do you want to delete this group?</source>
        <translation>确定要删除此分组吗？</translation>
    </message>
    <message>
        <source>Do you want to delete this Video Wall?</source>
        <translation>确定要删除此电视墙吗？</translation>
    </message>
    <message>
        <source>Are you sure you want to restore default settings?</source>
        <translation>确定要恢复默认设置吗？</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected devices?</source>
        <translation>确定要删除所选设备吗？</translation>
    </message>
</context>
<context>
    <name>CLogWidget</name>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
</context>
<context>
    <name>DlgGroup</name>
    <message>
        <source>Location/Group</source>
        <translation>位置/分组</translation>
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
        <source>Selcet location or group:</source>
        <translation>选择位置或分组：</translation>
    </message>
    <message>
        <source>location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>group</source>
        <translation>分组</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Location Name:</source>
        <translation>位置名称：</translation>
    </message>
    <message>
        <source>Group Name:</source>
        <translation>分组名称：</translation>
    </message>
    <message>
        <source>device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>别名</translation>
    </message>
    <message>
        <source>Host Name</source>
        <translation>主机名</translation>
    </message>
    <message>
        <source>scene</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Name already exists!</source>
        <translation>名称已存在！</translation>
    </message>
</context>
</TS>
