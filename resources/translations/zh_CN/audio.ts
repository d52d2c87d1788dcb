<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAudioDelayGroupBox</name>
    <message>
        <source>Audio delay</source>
        <translation>音频延时</translation>
    </message>
    <message>
        <source>(0-500ms)</source>
        <translation>(0-500 毫秒)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Please enter a delay from 0 to 500 ms.</source>
        <translation>请输入 0 到 500 毫秒之间的延时。</translation>
    </message>
    <message>
        <source>Failed to apply settings to devices.</source>
        <translation>设置应用到设备失败。</translation>
    </message>
</context>
<context>
    <name>CDlgSinkPowerSetting</name>
    <message>
        <source>Display Power Settings</source>
        <translation>显示器电源设置</translation>
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
        <source>RS232 Settings</source>
        <translation>RS232 设置</translation>
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
        <source>Command</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Hex Mode</source>
        <translation>十六进制模式</translation>
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
        <source>Apply</source>
        <translation>应用</translation>
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
        <source>Failed to Display Power settings to devices.</source>
        <translation>显示器电源设置应用到设备失败。</translation>
    </message>
</context>
<context>
    <name>CDlgSuppressor</name>
    <message>
        <source>Howling detect</source>
        <translation>啸叫检测</translation>
    </message>
    <message>
        <source>System has entered the AFS detection state, you can adjust the audio devices now, click Clear button to reset the AFS state or click Lock button after getting the desired audio effects.</source>
        <translation>系统已进入防啸叫检测状态，现在可以调节音频设备；点击“清除”按钮重置防啸叫状态，或在得到满意的音效后点击“锁定”按钮。</translation>
    </message>
    <message>
        <source>Clear Acoustic Feedback Parameters</source>
        <translation>清除声反馈参数</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>锁定</translation>
    </message>
    <message>
        <source>Please confirm %1 !</source>
        <translation>请确认%1！</translation>
    </message>
    <message>
        <source>Fails to connect device.</source>
        <translation>连接设备失败。</translation>
    </message>
</context>
<context>
    <name>CDlgVolumeConfig</name>
    <message>
        <source>Audio Settings</source>
        <translation>音频设置</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>基本</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>AFS Settings</source>
        <translation>防啸叫设置</translation>
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
        <source>Learn Acoustic Feedback Parameters</source>
        <translation>学习声反馈参数</translation>
    </message>
    <message>
        <source>Learn</source>
        <translation>学习</translation>
    </message>
    <message>
        <source>Sure to %1 ?</source>
        <translation>确定要%1吗？</translation>
    </message>
    <message>
        <source>Fails to connect device.</source>
        <translation>连接设备失败。</translation>
    </message>
</context>
<context>
    <name>CGainGroupBox</name>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>PPWR</source>
        <translation>幻象电源</translation>
    </message>
</context>
<context>
    <name>CVolumeGroupBox</name>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
</context>
</TS>
