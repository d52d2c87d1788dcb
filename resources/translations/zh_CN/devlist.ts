<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgCreateGroup</name>
    <message>
        <source>Create Group</source>
        <translation>创建分组</translation>
    </message>
    <message>
        <source>Create:</source>
        <translation>创建：</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
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
        <source>Edit Group</source>
        <translation>编辑分组</translation>
    </message>
    <message>
        <source>Name cannot be empty!</source>
        <translation>名称不能为空！</translation>
    </message>
    <message>
        <source>Name already exists!</source>
        <translation>名称已存在！</translation>
    </message>
</context>
<context>
    <name>CDlgDevEdit</name>
    <message>
        <source>General Settings</source>
        <translation>常规设置</translation>
    </message>
    <message>
        <source>Devices:</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>Hostname:</source>
        <translation>主机名：</translation>
    </message>
    <message>
        <source>Alias:</source>
        <translation>别名：</translation>
    </message>
    <message>
        <source>IP Address Settings</source>
        <translation>IP 地址设置</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>静态</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation>子网掩码：</translation>
    </message>
    <message>
        <source>Gateway:</source>
        <translation>网关：</translation>
    </message>
    <message>
        <source>Reboot Device</source>
        <translation>重启设备</translation>
    </message>
    <message>
        <source>After pressing &quot;Apply&quot;,
this Device will automatically reboot for the settings to take effect.</source>
        <translation>按下“应用”后，
此设备将自动重启以使设置生效。</translation>
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
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Invaild character:<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ @ * &amp; </source>
        <translation>无效字符：<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ @ * &amp; </translation>
    </message>
    <message>
        <source>Failed to apply settings to devices.</source>
        <translation>设置应用到设备失败。</translation>
    </message>
    <message>
        <source>apply to device failed.</source>
        <translation>应用到设备失败。</translation>
    </message>
</context>
<context>
    <name>CFormGroupList</name>
    <message>
        <source>the EDID is empty.</source>
        <translation>EDID 为空。</translation>
    </message>
    <message>
        <source>EDID Export</source>
        <translation>导出 EDID</translation>
    </message>
    <message>
        <source>Sceneinfo file (*.bin)</source>
        <translation>EDID 文件 (*.bin)</translation>
    </message>
    <message>
        <source>Exported successfully.</source>
        <translation>导出成功。</translation>
    </message>
    <message>
        <source>Exported failed.</source>
        <translation>导出失败。</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>常规设置</translation>
    </message>
    <message>
        <source>Video Settings</source>
        <translation>视频设置</translation>
    </message>
    <message>
        <source>Serial Settings</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Audio Settings</source>
        <translation>音频设置</translation>
    </message>
    <message>
        <source>Display Power Settings</source>
        <translation>显示器电源设置</translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation>布局设置</translation>
    </message>
    <message>
        <source>Windowing Image Settings</source>
        <translation>开窗图片设置</translation>
    </message>
    <message>
        <source>Idle Image Settings</source>
        <translation>待机图片设置</translation>
    </message>
    <message>
        <source>Overlay Image Settings</source>
        <translation>叠加图片设置</translation>
    </message>
    <message>
        <source>Turn On OSD</source>
        <translation>打开 OSD</translation>
    </message>
    <message>
        <source>Turn Off OSD</source>
        <translation>关闭 OSD</translation>
    </message>
    <message>
        <source>Turn On IP/MAC Display</source>
        <translation>打开 IP/MAC 显示</translation>
    </message>
    <message>
        <source>Turn Off IP/MAC Display</source>
        <translation>关闭 IP/MAC 显示</translation>
    </message>
    <message>
        <source>CEC One Touch Play</source>
        <translation>CEC 一键播放</translation>
    </message>
    <message>
        <source>CEC Standby</source>
        <translation>CEC 待机</translation>
    </message>
    <message>
        <source>Analog Audio Unmute</source>
        <translation>模拟音频取消静音</translation>
    </message>
    <message>
        <source>Analog Audio Mute</source>
        <translation>模拟音频静音</translation>
    </message>
    <message>
        <source>HDMI Audio Unmute</source>
        <translation>HDMI 音频取消静音</translation>
    </message>
    <message>
        <source>HDMI Audio Mute</source>
        <translation>HDMI 音频静音</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Update Device Data</source>
        <translation>更新设备数据</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>重启</translation>
    </message>
    <message>
        <source>Reset to Factory Default</source>
        <translation>恢复出厂设置</translation>
    </message>
</context>
<context>
    <name>CFrameDevList</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Restore previous scene.</source>
        <translation>恢复之前的场景。</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>To tree</source>
        <translation>切换到树</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>别名</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>主机名</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Hostname: %1
IP Address: %2</source>
        <translation>主机名：%1
IP 地址：%2</translation>
    </message>
    <message>
        <source>Invaild character:<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ - @ * &amp; </source>
        <translation>无效字符：<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ - @ * &amp; </translation>
    </message>
    <message>
        <source>Are you sure you want to delete the selected devices?</source>
        <translation>确定要删除所选设备吗？</translation>
    </message>
    <message>
        <source>The search is complete. %1 devices found.</source>
        <translation>搜索完成，共找到 %1 台设备。</translation>
    </message>
    <message>
        <source>The search is complete. %1 devices found.

Please check the IP address settings
(Current PC IP address/subnet mask:
%2),
and make sure that this software is not blocked by the firewall.</source>
        <translation>搜索完成，共找到 %1 台设备。

请检查 IP 地址设置
（当前电脑 IP 地址/子网掩码：
%2），
并确认本软件未被防火墙拦截。</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>IP Config</source>
        <translation>IP 配置</translation>
    </message>
    <message>
        <source>Update Device Data</source>
        <translation>更新设备数据</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>重启</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>常规设置</translation>
    </message>
    <message>
        <source>Video Settings</source>
        <translation>视频设置</translation>
    </message>
    <message>
        <source>Serial Settings</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Audio Settings</source>
        <translation>音频设置</translation>
    </message>
    <message>
        <source>Display Power Settings</source>
        <translation>显示器电源设置</translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation>布局设置</translation>
    </message>
    <message>
        <source>Windowing Image Settings</source>
        <translation>开窗图片设置</translation>
    </message>
    <message>
        <source>Idle Image Settings</source>
        <translation>待机图片设置</translation>
    </message>
    <message>
        <source>Overlay Image Settings</source>
        <translation>叠加图片设置</translation>
    </message>
    <message>
        <source>Turn On OSD</source>
        <translation>打开 OSD</translation>
    </message>
    <message>
        <source>Turn Off OSD</source>
        <translation>关闭 OSD</translation>
    </message>
    <message>
        <source>Turn On IP/MAC Display</source>
        <translation>打开 IP/MAC 显示</translation>
    </message>
    <message>
        <source>Turn Off IP/MAC Display</source>
        <translation>关闭 IP/MAC 显示</translation>
    </message>
    <message>
        <source>CEC One Touch Play</source>
        <translation>CEC 一键播放</translation>
    </message>
    <message>
        <source>CEC Standby</source>
        <translation>CEC 待机</translation>
    </message>
    <message>
        <source>Analog Audio Unmute</source>
        <translation>模拟音频取消静音</translation>
    </message>
    <message>
        <source>Analog Audio Mute</source>
        <translation>模拟音频静音</translation>
    </message>
    <message>
        <source>HDMI Audio Unmute</source>
        <translation>HDMI 音频取消静音</translation>
    </message>
    <message>
        <source>HDMI Audio Mute</source>
        <translation>HDMI 音频静音</translation>
    </message>
    <message>
        <source>Virsual TX Settings</source>
        <translation>虚拟 TX 设置</translation>
    </message>
    <message>
        <source>EDID Export</source>
        <translation>导出 EDID</translation>
    </message>
    <message>
        <source>Reset EDID</source>
        <translation>重置 EDID</translation>
    </message>
    <message>
        <source>EDID Settings</source>
        <translation>EDID 设置</translation>
    </message>
    <message>
        <source>Reset to Factory Default</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>the EDID is empty.</source>
        <translation>EDID 为空。</translation>
    </message>
    <message>
        <source>Sceneinfo file (*.bin)</source>
        <translation>EDID 文件 (*.bin)</translation>
    </message>
    <message>
        <source>Exported failed.</source>
        <translation>导出失败。</translation>
    </message>
    <message>
        <source>Exported successfully.</source>
        <translation>导出成功。</translation>
    </message>
    <message>
        <source>Are you sure you want to restore default EDID for TX devices?</source>
        <translation>确定要将 TX 设备恢复为默认 EDID 吗？</translation>
    </message>
    <message>
        <source>Are you sure you want to restore default settings?</source>
        <translation>确定要恢复默认设置吗？</translation>
    </message>
    <message>
        <source>IP Controller</source>
        <translation>IP 控制器</translation>
    </message>
</context>
</TS>
