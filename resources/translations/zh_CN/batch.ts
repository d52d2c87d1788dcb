<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgBatch</name>
    <message>
        <source>Batch Commands</source>
        <translation>批量命令</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>Starting IP address:</source>
        <translation>起始 IP 地址：</translation>
    </message>
    <message>
        <source>Finishing IP address:</source>
        <translation>结束 IP 地址：</translation>
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
        <source>Warning:
This software does not check whether IP address,subnet mask and gateway meet internet protocol specification.
Please set them carefully.</source>
        <translation>警告：
本软件不检查 IP 地址、子网掩码和网关是否符合网络协议规范。
请谨慎设置。</translation>
    </message>
    <message>
        <source>Device Reboot</source>
        <translation>设备重启</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>详情</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>For JPEG 2000</source>
        <translation>适用于 JPEG 2000</translation>
    </message>
    <message>
        <source>For H.264</source>
        <translation>适用于 H.264</translation>
    </message>
    <message>
        <source>HDCP Hybrid</source>
        <translation>HDCP 模式</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原始</translation>
    </message>
    <message>
        <source>Always1.x</source>
        <translation>始终 1.x</translation>
    </message>
    <message>
        <source>Always2.2</source>
        <translation>始终 2.2</translation>
    </message>
    <message>
        <source>HDMI Timing Hybrid</source>
        <translation>HDMI 输出时序</translation>
    </message>
    <message>
        <source>Pass-Through</source>
        <translation>直通</translation>
    </message>
    <message>
        <source>Full HD 1080p60</source>
        <translation>全高清 1080p60</translation>
    </message>
    <message>
        <source>Full HD 1080p50</source>
        <translation>全高清 1080p50</translation>
    </message>
    <message>
        <source>Ultra HD 2160p30</source>
        <translation>超高清 2160p30</translation>
    </message>
    <message>
        <source>Ultra HD 2160p24</source>
        <translation>超高清 2160p24</translation>
    </message>
    <message>
        <source>Screen Settings</source>
        <translation>屏幕设置</translation>
    </message>
    <message>
        <source>Detecting video lost</source>
        <translation>检测视频丢失</translation>
    </message>
    <message>
        <source>Timeout for detecting video lost:</source>
        <translation>视频丢失检测超时：</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Turn off screen when video lost</source>
        <translation>视频丢失时关闭屏幕</translation>
    </message>
    <message>
        <source>Stretch Type</source>
        <translation>拉伸方式</translation>
    </message>
    <message>
        <source>Stretch Out</source>
        <translation>拉伸</translation>
    </message>
    <message>
        <source>Fit In</source>
        <translation>适应</translation>
    </message>
    <message>
        <source>Display Rotation</source>
        <translation>显示旋转</translation>
    </message>
    <message>
        <source>No Rotate</source>
        <translation>不旋转</translation>
    </message>
    <message>
        <source>180 Degree</source>
        <translation>180 度</translation>
    </message>
    <message>
        <source>270 Degree</source>
        <translation>270 度</translation>
    </message>
    <message>
        <source>Preview Settings</source>
        <translation>预览设置</translation>
    </message>
    <message>
        <source>Enable Preview</source>
        <translation>启用预览</translation>
    </message>
    <message>
        <source>Video Quality</source>
        <translation>视频质量</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Quality 0(The best)</source>
        <translation>质量 0（最好）</translation>
    </message>
    <message>
        <source>Quality 1</source>
        <translation>质量 1</translation>
    </message>
    <message>
        <source>Quality 2</source>
        <translation>质量 2</translation>
    </message>
    <message>
        <source>Quality 3</source>
        <translation>质量 3</translation>
    </message>
    <message>
        <source>Quality 4</source>
        <translation>质量 4</translation>
    </message>
    <message>
        <source>Quality 5(The Worst)</source>
        <translation>质量 5（最差）</translation>
    </message>
    <message>
        <source>Note: Reboot the devices configured for the new settings to take effect.</source>
        <translation>注意：重启已配置的设备后新设置才能生效。</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>全部应用</translation>
    </message>
    <message>
        <source>Modify Advanced Parameters</source>
        <translation>修改高级参数</translation>
    </message>
    <message>
        <source>Max Resolution</source>
        <translation>最大分辨率</translation>
    </message>
    <message>
        <source>Rate Control</source>
        <translation>码率控制</translation>
    </message>
    <message>
        <source>Avg Bitrate(Kbps):</source>
        <translation>平均码率(Kbps)：</translation>
    </message>
    <message>
        <source>Max Bitrate(Kbps)</source>
        <translation>最大码率(Kbps)</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>帧率</translation>
    </message>
    <message>
        <source>Transport Type</source>
        <translation>传输类型</translation>
    </message>
    <message>
        <source>Video Mode</source>
        <translation>视频模式</translation>
    </message>
    <message>
        <source>HDCP Settings</source>
        <translation>HDCP 设置</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>HDMI Video Output</source>
        <translation>HDMI 视频输出</translation>
    </message>
    <message>
        <source>Force Resolution:</source>
        <translation>强制分辨率：</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>Upload Idle Image</source>
        <translation>上传待机图片</translation>
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
        <source>Image Format: *.jpg</source>
        <translation>图片格式：*.jpg</translation>
    </message>
    <message>
        <source>Image Resolution: 1920X1080</source>
        <translation>图片分辨率：1920X1080</translation>
    </message>
    <message>
        <source>Image Size: not to exceed 1.5MB</source>
        <translation>图片大小：不超过 1.5MB</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>MAC Address OSD</source>
        <translation>MAC 地址 OSD</translation>
    </message>
    <message>
        <source>Always On</source>
        <translation>常开</translation>
    </message>
    <message>
        <source>Off/Control</source>
        <translation>关闭/受控</translation>
    </message>
    <message>
        <source> Note: Reboot the devices to make the new settings effective.</source>
        <translation> 注意：重启设备后新设置才能生效。</translation>
    </message>
    <message>
        <source>Upload Power On Logo Image</source>
        <translation>上传开机 Logo 图片</translation>
    </message>
    <message>
        <source>Image Format: *.bmp</source>
        <translation>图片格式：*.bmp</translation>
    </message>
    <message>
        <source>Image Resolution: Unknown</source>
        <translation>图片分辨率：未知</translation>
    </message>
    <message>
        <source>Image Size: not to exceed 128KB</source>
        <translation>图片大小：不超过 128KB</translation>
    </message>
    <message>
        <source>Support Format: BMP 16 bits (RGB565) or 32 bits (ARGB8888)</source>
        <translation>支持格式：BMP 16 位 (RGB565) 或 32 位 (ARGB8888)</translation>
    </message>
    <message>
        <source>Upload Overlay Image</source>
        <translation>上传叠加图片</translation>
    </message>
    <message>
        <source>Image Format: *.png</source>
        <translation>图片格式：*.png</translation>
    </message>
    <message>
        <source>Image Resolution: 1920X1080 or lower</source>
        <translation>图片分辨率：1920X1080 或更低</translation>
    </message>
    <message>
        <source>Image Size: N/A</source>
        <translation>图片大小：无</translation>
    </message>
    <message>
        <source>Screen Coordinate</source>
        <translation>屏幕坐标</translation>
    </message>
    <message>
        <source>Display Overlay Image</source>
        <translation>显示叠加图片</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>Audio delay</source>
        <translation>音频延时</translation>
    </message>
    <message>
        <source>(0-500ms)</source>
        <translation>(0-500 毫秒)</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>Data Bits:</source>
        <translation>数据位：</translation>
    </message>
    <message>
        <source>Stop Bits:</source>
        <translation>停止位：</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>校验位：</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇校验</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶校验</translation>
    </message>
    <message>
        <source>Timeout Settings</source>
        <translation>超时设置</translation>
    </message>
    <message>
        <source>Token Timeout:</source>
        <translation>令牌超时：</translation>
    </message>
    <message>
        <source>(s)</source>
        <translation>(秒)</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <source>Hex Mode</source>
        <translation>十六进制模式</translation>
    </message>
    <message>
        <source>Add Carriage-Return Line-Feed </source>
        <translation>添加回车换行 </translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>电源</translation>
    </message>
    <message>
        <source>Display Power Control</source>
        <translation>显示器电源控制</translation>
    </message>
    <message>
        <source>RS232 Settings</source>
        <translation>RS232 设置</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Power on:</source>
        <translation>开机：</translation>
    </message>
    <message>
        <source>Standby:</source>
        <translation>待机：</translation>
    </message>
    <message>
        <source>CEC Test</source>
        <translation>CEC 测试</translation>
    </message>
    <message>
        <source>One touch play</source>
        <translation>一键播放</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>待机</translation>
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
        <source>Others</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Command:</source>
        <translation>命令：</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>重启</translation>
    </message>
    <message>
        <source>Reset to Factory</source>
        <translation>恢复出厂设置</translation>
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
        <source>Image Resolution: 1280X720</source>
        <translation>图片分辨率：1280X720</translation>
    </message>
    <message>
        <source>No controlled device was selected.</source>
        <translation>未选择受控设备。</translation>
    </message>
    <message>
        <source>succeed: %1, fail: %2.</source>
        <translation>成功：%1，失败：%2。</translation>
    </message>
    <message>
        <source>IP Address begin is empty.</source>
        <translation>起始 IP 地址为空。</translation>
    </message>
    <message>
        <source>IP Address end is empty.</source>
        <translation>结束 IP 地址为空。</translation>
    </message>
    <message>
        <source>subnet mask is empty.</source>
        <translation>子网掩码为空。</translation>
    </message>
    <message>
        <source>The first IP segment may not enter 0 or 255</source>
        <translation>IP 地址第一段不能为 0 或 255</translation>
    </message>
    <message>
        <source>The IP address end cannot be less than the first IP address begin.</source>
        <translation>结束 IP 地址不能小于起始 IP 地址。</translation>
    </message>
    <message>
        <source>The IP address end cannot be less than the IP address begin.</source>
        <translation>结束 IP 地址不能小于起始 IP 地址。</translation>
    </message>
    <message>
        <source>the total number of IP address is less than the total number of devices.</source>
        <translation>IP 地址总数少于设备总数。</translation>
    </message>
    <message>
        <source>Are you sure you want to set ip address?</source>
        <translation>确定要设置 IP 地址吗？</translation>
    </message>
    <message>
        <source>Select idle image</source>
        <translation>选择待机图片</translation>
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
        <source>Select Logo</source>
        <translation>选择 Logo</translation>
    </message>
    <message>
        <source>Open logo image failed</source>
        <translation>打开 Logo 图片失败</translation>
    </message>
    <message>
        <source>Open logo image failed!</source>
        <translation>打开 Logo 图片失败！</translation>
    </message>
    <message>
        <source>Progress: 0%</source>
        <translation>进度：0%</translation>
    </message>
    <message>
        <source>Progress: %1%</source>
        <translation>进度：%1%</translation>
    </message>
    <message>
        <source>Progress: 100%</source>
        <translation>进度：100%</translation>
    </message>
    <message>
        <source>Please enter the X coordinate.</source>
        <translation>请输入 X 坐标。</translation>
    </message>
    <message>
        <source>Value out of range.</source>
        <translation>数值超出范围。</translation>
    </message>
    <message>
        <source>Please enter the Y coordinate.</source>
        <translation>请输入 Y 坐标。</translation>
    </message>
    <message>
        <source>Please enter the send information.</source>
        <translation>请输入要发送的信息。</translation>
    </message>
    <message>
        <source>Please enter the power on information.</source>
        <translation>请输入开机命令。</translation>
    </message>
    <message>
        <source>Please enter the standby information.</source>
        <translation>请输入待机命令。</translation>
    </message>
    <message>
        <source>Select the command please .</source>
        <translation>请选择命令。</translation>
    </message>
    <message>
        <source>3840x2160</source>
        <translation>3840x2160</translation>
    </message>
    <message>
        <source>1920x1200</source>
        <translation>1920x1200</translation>
    </message>
    <message>
        <source>64~40960</source>
        <translation>64~40960</translation>
    </message>
    <message>
        <source>1~60</source>
        <translation>1~60</translation>
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
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>CEC</source>
        <translation>CEC</translation>
    </message>
    <message>
        <source>RS232</source>
        <translation>RS232</translation>
    </message>
    <message>
        <source>EDID</source>
        <translation>EDID</translation>
    </message>
    <message>
        <source>(*.jpg)</source>
        <translation>(*.jpg)</translation>
    </message>
    <message>
        <source>(*.bmp)</source>
        <translation>(*.bmp)</translation>
    </message>
    <message>
        <source>(*.png)</source>
        <translation>(*.png)</translation>
    </message>
    <message>
        <source>The image cannot be uploaded to %1: its product has no upload path (&quot;%2&quot;) in config.xml.</source>
        <translation>无法向“%1”上传图片：config.xml 中未给该产品指定上传路径（“%2”）。</translation>
    </message>
    <message>
        <source>%1 devices</source>
        <translation>%1 台设备</translation>
    </message>
</context>
<context>
    <name>CDlgBatchDetail</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
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
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Failure details</source>
        <translation>失败详情</translation>
    </message>
</context>
<context>
    <name>CDlgBatchGroup</name>
    <message>
        <source>Batch Group Change</source>
        <translation>批量更改分组</translation>
    </message>
    <message>
        <source>RX Filter :</source>
        <translation>RX 筛选：</translation>
    </message>
    <message>
        <source>Alias/Hostname</source>
        <translation>别名/主机名</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>-&gt;</source>
        <translation>-&gt;</translation>
    </message>
</context>
</TS>
