<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgCECCtrl</name>
    <message>
        <source>CEC </source>
        <translation>CEC </translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>One touch play</source>
        <translation>一键播放</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>待机</translation>
    </message>
</context>
<context>
    <name>CDlgDevCommand</name>
    <message>
        <source>No controlled device was selected.</source>
        <translation>未选择受控设备。</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>别名</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>主机名</translation>
    </message>
</context>
<context>
    <name>CDlgIrCtrl</name>
    <message>
        <source>IR Remote Control</source>
        <translation>红外遥控</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Remote Control</source>
        <translation>遥控</translation>
    </message>
    <message>
        <source>AV/TV</source>
        <translation>AV/TV</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>电源</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>倒带</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>频道</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>录制</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>字幕</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>Guide</source>
        <translation>指南</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>CC</source>
        <translation>CC</translation>
    </message>
    <message>
        <source>Volume channel</source>
        <translation>音量声道</translation>
    </message>
    <message>
        <source>VC</source>
        <translation>VC</translation>
    </message>
    <message>
        <source>Video source</source>
        <translation>视频源</translation>
    </message>
    <message>
        <source>VS</source>
        <translation>VS</translation>
    </message>
    <message>
        <source>Via TX/RX</source>
        <translation>经由 TX/RX</translation>
    </message>
    <message>
        <source>Controlled Device Type</source>
        <translation>受控设备类型</translation>
    </message>
    <message>
        <source>[Select Type...]</source>
        <translation>[选择类型...]</translation>
    </message>
</context>
<context>
    <name>CDlgSelectIrDev</name>
    <message>
        <source>Select Controlled Device Type</source>
        <translation>选择受控设备类型</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>厂商：</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Filter:</source>
        <translation>筛选：</translation>
    </message>
</context>
<context>
    <name>CDlgSerialMsg</name>
    <message>
        <source>Serial Pass-through</source>
        <translation>串口透传</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>消息</translation>
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
</context>
<context>
    <name>CDlgStandbyCtrl</name>
    <message>
        <source>Standby Project</source>
        <translation>待机工程</translation>
    </message>
    <message>
        <source>RX List</source>
        <translation>RX 列表</translation>
    </message>
    <message>
        <source>Synchronize</source>
        <translation>同步</translation>
    </message>
</context>
<context>
    <name>QDevFilterGroupBox</name>
    <message>
        <source>Filter by Layout:</source>
        <translation>按布局筛选：</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Filter :</source>
        <translation>筛选：</translation>
    </message>
    <message>
        <source>Checked/Total:</source>
        <translation>已选/总数：</translation>
    </message>
    <message>
        <source>Show the online devices only.</source>
        <translation>仅显示在线设备。</translation>
    </message>
    <message>
        <source>Via TX/RX</source>
        <translation>经由 TX/RX</translation>
    </message>
    <message>
        <source>All TX/RX</source>
        <translation>全部 TX/RX</translation>
    </message>
    <message>
        <source>TX Only</source>
        <translation>仅 TX</translation>
    </message>
    <message>
        <source>RX Only</source>
        <translation>仅 RX</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>Please select the same type of device for operation.</source>
        <translation>请选择同一类型的设备进行操作。</translation>
    </message>
</context>
</TS>
