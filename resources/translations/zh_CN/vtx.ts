<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgBatch</name>
    <message>
        <source>Invalid EDID !</source>
        <translation>无效的 EDID！</translation>
    </message>
    <message>
        <source>echo &quot;%1&quot; &gt; /sys/devices/platform/videoip/eeprom_content</source>
        <translation>echo &quot;%1&quot; &gt; /sys/devices/platform/videoip/eeprom_content</translation>
    </message>
    <message>
        <source>Upload...</source>
        <translation>上传...</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>(*.bin)</source>
        <translation>(*.bin)</translation>
    </message>
    <message>
        <source>EDID Setting</source>
        <translation>EDID 设置</translation>
    </message>
</context>
<context>
    <name>CDlgDevIPConfig</name>
    <message>
        <source>IP Config</source>
        <translation>IP 配置</translation>
    </message>
    <message>
        <source>IP 1 (AV) [TX and RX communication] </source>
        <translation>IP 1 (AV) [TX 与 RX 通信] </translation>
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
        <source>IP 2 (C) [Telnet client and browser communication] </source>
        <translation>IP 2 (C) [Telnet 客户端与浏览器通信] </translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>After pressing &quot;Apply&quot;,
this Device will automatically reboot for the settings to take effect.</source>
        <translation>按下“应用”后，
此设备将自动重启以使设置生效。</translation>
    </message>
    <message>
        <source>Failed to apply settings to devices.</source>
        <translation>设置应用到设备失败。</translation>
    </message>
</context>
<context>
    <name>CDlgEDIDSetting</name>
    <message>
        <source>EDID Settings</source>
        <translation>EDID 设置</translation>
    </message>
    <message>
        <source>Set EDID:</source>
        <translation>设置 EDID：</translation>
    </message>
    <message>
        <source>EDID File:</source>
        <translation>EDID 文件：</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>EDIE Info:</source>
        <translation>EDID 信息：</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Upload...</source>
        <translation>上传...</translation>
    </message>
    <message>
        <source>EDID Setting</source>
        <translation>EDID 设置</translation>
    </message>
    <message>
        <source>Invalid EDID !</source>
        <translation>无效的 EDID！</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>(*.bin)</source>
        <translation>(*.bin)</translation>
    </message>
    <message>
        <source>echo &quot;%1&quot; &gt; /sys/devices/platform/videoip/eeprom_content</source>
        <translation>echo &quot;%1&quot; &gt; /sys/devices/platform/videoip/eeprom_content</translation>
    </message>
</context>
<context>
    <name>CDlgIPCConfig</name>
    <message>
        <source>Virsual TX Settings</source>
        <translation>虚拟 TX 设置</translation>
    </message>
    <message>
        <source>Virsual TX List</source>
        <translation>虚拟 TX 列表</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>别名</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>主机名</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>帧率</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Transport Type</source>
        <translation>传输类型</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Remark</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Read from device</source>
        <translation>从设备读取</translation>
    </message>
    <message>
        <source>Save to device</source>
        <translation>保存到设备</translation>
    </message>
    <message>
        <source>Preview Image</source>
        <translation>预览图片</translation>
    </message>
    <message>
        <source>File Path:</source>
        <translation>文件路径：</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>选择图片</translation>
    </message>
    <message>
        <source>Image Resolution: 720X480 or lower</source>
        <translation>图片分辨率：720X480 或更低</translation>
    </message>
    <message>
        <source>Image Format:*.jpg</source>
        <translation>图片格式：*.jpg</translation>
    </message>
    <message>
        <source>Image Size: N/A</source>
        <translation>图片大小：无</translation>
    </message>
    <message>
        <source>Upload Progress:</source>
        <translation>上传进度：</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>The MAC address has been finished!</source>
        <translation>MAC 地址已用完！</translation>
    </message>
    <message>
        <source>Save Failed.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>The current device address is not found</source>
        <translation>未找到当前设备地址</translation>
    </message>
    <message>
        <source>Upload Failed.</source>
        <translation>上传失败。</translation>
    </message>
    <message>
        <source>Error.</source>
        <translation>错误。</translation>
    </message>
    <message>
        <source>Save to device successful.</source>
        <translation>保存到设备成功。</translation>
    </message>
    <message>
        <source>Read from device successful.</source>
        <translation>从设备读取成功。</translation>
    </message>
    <message>
        <source>The list read from the device took the name %1 meanwhile; the edit of &apos;%2&apos; is not kept.</source>
        <translation>编辑期间从设备读取的列表已使用名称 %1；对“%2”的编辑未保留。</translation>
    </message>
</context>
<context>
    <name>CDlgIPCEdit</name>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>别名</translation>
    </message>
    <message>
        <source>*</source>
        <translation>*</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>主机名</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>帧率</translation>
    </message>
    <message>
        <source>1~60</source>
        <translation>1~60</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Transport Type</source>
        <translation>传输类型</translation>
    </message>
    <message>
        <source>UDP</source>
        <translation>UDP</translation>
    </message>
    <message>
        <source>TCP</source>
        <translation>TCP</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Remark</source>
        <translation>备注</translation>
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
        <source>Character error.</source>
        <translation>字符错误。</translation>
    </message>
    <message>
        <source>Enter a alais name.</source>
        <translation>请输入别名。</translation>
    </message>
    <message>
        <source>Enter a hostname.</source>
        <translation>请输入主机名。</translation>
    </message>
    <message>
        <source>Enter url.</source>
        <translation>请输入 URL。</translation>
    </message>
</context>
<context>
    <name>CDlgLogoSettings</name>
    <message>
        <source>Overlay Image Settings</source>
        <translation>叠加图片设置</translation>
    </message>
    <message>
        <source>Upload Overlay Image</source>
        <translation>上传叠加图片</translation>
    </message>
    <message>
        <source>File Path:</source>
        <translation>文件路径：</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>选择图片</translation>
    </message>
    <message>
        <source>Image Resolution: 1920X1080 or lower</source>
        <translation>图片分辨率：1920X1080 或更低</translation>
    </message>
    <message>
        <source>Image Format:*.png</source>
        <translation>图片格式：*.png</translation>
    </message>
    <message>
        <source>Image Size: N/A</source>
        <translation>图片大小：无</translation>
    </message>
    <message>
        <source>Upload Progress:</source>
        <translation>上传进度：</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Screen Coordinate</source>
        <translation>屏幕坐标</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X：</translation>
    </message>
    <message>
        <source>(1-1920)</source>
        <translation>(1-1920)</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y：</translation>
    </message>
    <message>
        <source>(1-1080)</source>
        <translation>(1-1080)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Display Overlay Image</source>
        <translation>显示叠加图片</translation>
    </message>
    <message>
        <source>Select Overlay Image</source>
        <translation>选择叠加图片</translation>
    </message>
    <message>
        <source>Overlay image (*.png)</source>
        <translation>叠加图片 (*.png)</translation>
    </message>
    <message>
        <source>Value out of range.</source>
        <translation>数值超出范围。</translation>
    </message>
    <message>
        <source>Please enter the X coordinate.</source>
        <translation>请输入 X 坐标。</translation>
    </message>
    <message>
        <source>Please enter the Y coordinate.</source>
        <translation>请输入 Y 坐标。</translation>
    </message>
    <message>
        <source>Failed to screen coordinate settings to devices.</source>
        <translation>屏幕坐标设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to display overlay settings to devices.</source>
        <translation>叠加图片显示设置应用到设备失败。</translation>
    </message>
</context>
<context>
    <name>CDlgPreviewImage</name>
    <message>
        <source>Preview Image</source>
        <translation>预览图片</translation>
    </message>
    <message>
        <source>Upload Preview Image</source>
        <translation>上传预览图片</translation>
    </message>
    <message>
        <source>File Path:</source>
        <translation>文件路径：</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>选择图片</translation>
    </message>
    <message>
        <source>Image Resolution: 720X480 or lower</source>
        <translation>图片分辨率：720X480 或更低</translation>
    </message>
    <message>
        <source>Image Format:*.png</source>
        <translation>图片格式：*.png</translation>
    </message>
    <message>
        <source>Image Size: N/A</source>
        <translation>图片大小：无</translation>
    </message>
    <message>
        <source>Upload Progress:</source>
        <translation>上传进度：</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Select Preview Image</source>
        <translation>选择预览图片</translation>
    </message>
    <message>
        <source>Preview image (*.jpg)</source>
        <translation>预览图片 (*.jpg)</translation>
    </message>
</context>
<context>
    <name>CImagePane</name>
    <message>
        <source>Open logo image failed</source>
        <translation>打开 Logo 图片失败</translation>
    </message>
    <message>
        <source>Open logo image failed!</source>
        <translation>打开 Logo 图片失败！</translation>
    </message>
    <message>
        <source>Open image failed</source>
        <translation>打开图片失败</translation>
    </message>
    <message>
        <source>Open image failed!</source>
        <translation>打开图片失败！</translation>
    </message>
    <message>
        <source>Upload failed.</source>
        <translation>上传失败。</translation>
    </message>
    <message>
        <source>Upload Progress: %1%</source>
        <translation>上传进度：%1%</translation>
    </message>
    <message>
        <source>Upload error.</source>
        <translation>上传出错。</translation>
    </message>
</context>
</TS>
