<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CApplyWatch</name>
    <message>
        <source>Failed to apply settings to devices.</source>
        <translation>设置应用到设备失败。</translation>
    </message>
</context>
<context>
    <name>CDlgIPMLayoutSettings</name>
    <message>
        <source>Layout Settings</source>
        <translation>布局设置</translation>
    </message>
    <message>
        <source>Layout:</source>
        <translation>布局：</translation>
    </message>
    <message>
        <source>Audio Source</source>
        <translation>音频源</translation>
    </message>
    <message>
        <source>Default to TX:</source>
        <translation>默认 TX：</translation>
    </message>
    <message>
        <source>Default to Window Location:</source>
        <translation>默认窗口位置：</translation>
    </message>
    <message>
        <source>Video Source</source>
        <translation>视频源</translation>
    </message>
    <message>
        <source>Window
Location</source>
        <translation>窗口
位置</translation>
    </message>
    <message>
        <source>Default to TX</source>
        <translation>默认 TX</translation>
    </message>
    <message>
        <source>Display Mode</source>
        <translation>显示模式</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>编辑...</translation>
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
        <source>Failed to multiview settings to devices.</source>
        <translation>多画面设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to multiview audio settings to devices.</source>
        <translation>多画面音频设置应用到设备失败。</translation>
    </message>
</context>
<context>
    <name>CDlgIpmLayoutModel</name>
    <message>
        <source>Select Layout Types</source>
        <translation>选择布局类型</translation>
    </message>
    <message>
        <source>All layout types supported</source>
        <translation>支持的全部布局类型</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>布局</translation>
    </message>
    <message>
        <source>-&gt;</source>
        <translation>-&gt;</translation>
    </message>
    <message>
        <source>&lt;-</source>
        <translation>&lt;-</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Selected layout types</source>
        <translation>已选布局类型</translation>
    </message>
</context>
<context>
    <name>CDlgSerialSetting</name>
    <message>
        <source>Serial Settings</source>
        <translation>串口设置</translation>
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
        <source>Timeout Settings</source>
        <translation>超时设置</translation>
    </message>
    <message>
        <source>Token Timeout:</source>
        <translation>令牌超时：</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
</context>
<context>
    <name>CDlgVideoConfig</name>
    <message>
        <source>Video Settings</source>
        <translation>视频设置</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>基本</translation>
    </message>
    <message>
        <source>Video Input</source>
        <translation>视频输入</translation>
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
        <source>Force Color Space:</source>
        <translation>强制色彩空间：</translation>
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
        <source>Video Output</source>
        <translation>视频输出</translation>
    </message>
    <message>
        <source>Enable DIP</source>
        <translation>启用拨码</translation>
    </message>
    <message>
        <source>Disable DIP</source>
        <translation>禁用拨码</translation>
    </message>
    <message>
        <source>Select mode:</source>
        <translation>选择模式：</translation>
    </message>
    <message>
        <source>Select &quot;Enable DIP&quot;,Effective hardware DIP,Else,Invalid.</source>
        <translation>选择“启用拨码”时硬件拨码生效，否则无效。</translation>
    </message>
    <message>
        <source>Note: Reboot the devices to make the new settings effective.</source>
        <translation>注意：重启设备后新设置才能生效。</translation>
    </message>
    <message>
        <source>VGA Video Output</source>
        <translation>VGA 视频输出</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Modify Advanced Parameters</source>
        <translation>修改高级参数</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>编码档次</translation>
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
        <source>Min QP</source>
        <translation>最小 QP</translation>
    </message>
    <message>
        <source>Max QP</source>
        <translation>最大 QP</translation>
    </message>
    <message>
        <source>IQP</source>
        <translation>IQP</translation>
    </message>
    <message>
        <source>PQP</source>
        <translation>PQP</translation>
    </message>
    <message>
        <source>GOP</source>
        <translation>GOP</translation>
    </message>
    <message>
        <source>Max frame rate</source>
        <translation>最大帧率</translation>
    </message>
    <message>
        <source>1~60 fps</source>
        <translation>1~60 fps</translation>
    </message>
    <message>
        <source>Transport Type</source>
        <translation>传输类型</translation>
    </message>
    <message>
        <source>Low delay settings</source>
        <translation>低延时设置</translation>
    </message>
    <message>
        <source>Video mode</source>
        <translation>视频模式</translation>
    </message>
    <message>
        <source>H.264 High Profile</source>
        <translation>H.264 高档次</translation>
    </message>
    <message>
        <source>H.264 Main Profile</source>
        <translation>H.264 主档次</translation>
    </message>
    <message>
        <source>H.264 Baseline Profile</source>
        <translation>H.264 基本档次</translation>
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
        <source>Failed to HDMI settings to devices.</source>
        <translation>HDMI 设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to CVBS settings to devices.</source>
        <translation>CVBS 设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to DVI-I settings to devices.</source>
        <translation>DVI-I 设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to VGA settings to devices.</source>
        <translation>VGA 设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to DVI-D settings to devices.</source>
        <translation>DVI-D 设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to YPbPr settings to devices.</source>
        <translation>YPbPr 设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to apply settings to devices.</source>
        <translation>设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Select an video input to apply!</source>
        <translation>请选择要应用的视频输入！</translation>
    </message>
    <message>
        <source>Failed to Input settings to devices.</source>
        <translation>输入设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to color space settings to devices.</source>
        <translation>色彩空间设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to HDCP settings to devices.</source>
        <translation>HDCP 设置应用到设备失败。</translation>
    </message>
    <message>
        <source>Failed to DIP settings to devices.</source>
        <translation>拨码设置应用到设备失败。</translation>
    </message>
    <message>
        <source>apply to device failed.</source>
        <translation>应用到设备失败。</translation>
    </message>
</context>
<context>
    <name>CDlgVideoSetting</name>
    <message>
        <source>Video Settings</source>
        <translation>视频设置</translation>
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
        <source>OK</source>
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
</context>
<context>
    <name>CFormIPM</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>适应</translation>
    </message>
    <message>
        <source>stretch</source>
        <translation>拉伸</translation>
    </message>
</context>
</TS>
