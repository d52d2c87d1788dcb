<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CHOIDev</name>
    <message>
        <source>[%1]Device(&apos;%2&apos;) connecting...</source>
        <translation>[%1]设备(&apos;%2&apos;)正在连接...</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) operation time out.</source>
        <translation>设备(&apos;%1&apos;)操作超时。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) fails to send ir code.</source>
        <translation>设备(&apos;%1&apos;)发送红外码失败。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) succeed to send ir code.</source>
        <translation>设备(&apos;%1&apos;)发送红外码成功。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) connected.</source>
        <translation>设备(&apos;%1&apos;)已连接。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) disconnected.</source>
        <translation>设备(&apos;%1&apos;)已断开连接。</translation>
    </message>
    <message>
        <source>if [ &quot;`gbconfig --help | grep sinkpower | wc -l`&quot; != &quot;0&quot; ]; then %1; fi</source>
        <translation>if [ &quot;`gbconfig --help | grep sinkpower | wc -l`&quot; != &quot;0&quot; ]; then %1; fi</translation>
    </message>
    <message>
        <source>&apos;%1&apos; read param name=&apos;%2&apos;, value=&apos;%3&apos;</source>
        <translation>&apos;%1&apos; 读取参数 name=&apos;%2&apos;, value=&apos;%3&apos;</translation>
    </message>
</context>
<context>
    <name>CHOIDevMgr</name>
    <message>
        <source>Device(&apos;%1&apos;) send data %2 [%3]</source>
        <translation>设备(&apos;%1&apos;)发送数据 %2 [%3]</translation>
    </message>
    <message>
        <source>succeed</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) recv data [%2]</source>
        <translation>设备(&apos;%1&apos;)接收数据 [%2]</translation>
    </message>
    <message>
        <source>Scene(&apos;%1&apos;) is applying, failed to execute by schedule.</source>
        <translation>场景(&apos;%1&apos;)正在应用，定时执行失败。</translation>
    </message>
    <message>
        <source>Scene(&apos;%1&apos;) execute by schedule...</source>
        <translation>场景(&apos;%1&apos;)定时执行...</translation>
    </message>
    <message>
        <source>Search start...</source>
        <translation>开始搜索...</translation>
    </message>
    <message>
        <source>[%1]Start multicast on %2</source>
        <translation>[%1]在 %2 上开始组播</translation>
    </message>
    <message>
        <source>Invalid device host name %1 (IP=%2), the reply is ignored.</source>
        <translation>无效的设备主机名 %1 (IP=%2)，已忽略该应答。</translation>
    </message>
    <message>
        <source>[%1] found device: Hostname=%2, IP=%3, Status=%4</source>
        <translation>[%1] 发现设备：主机名=%2，IP=%3，状态=%4</translation>
    </message>
    <message>
        <source>Unkown Device type, device host name is &apos;%1&apos;.</source>
        <translation>未知设备类型，设备主机名为 &apos;%1&apos;。</translation>
    </message>
    <message>
        <source>Warning: device cmmmand queue is not empty when update.</source>
        <translation>警告：更新时设备命令队列不为空。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) is updated.</source>
        <translation>设备(&apos;%1&apos;)已更新。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) fails to be updated.</source>
        <translation>设备(&apos;%1&apos;)更新失败。</translation>
    </message>
    <message>
        <source>All devices are updated.</source>
        <translation>所有设备已更新。</translation>
    </message>
    <message>
        <source>The search is complete.</source>
        <translation>搜索完成。</translation>
    </message>
    <message>
        <source>Virtual TX(&apos;%1&apos;) is left out of the device list: &apos;%2&apos; is no host name.</source>
        <translation>虚拟 TX(&apos;%1&apos;)未加入设备列表：&apos;%2&apos; 不是有效的主机名。</translation>
    </message>
    <message>
        <source>Virtual TX(&apos;%1&apos;) is left out of the device list: %2 belongs to another device.</source>
        <translation>虚拟 TX(&apos;%1&apos;)未加入设备列表：%2 属于另一台设备。</translation>
    </message>
    <message>
        <source>The virtual TX list %1 is damaged: only the records before the damage are read, and the file is kept as %2.</source>
        <translation>虚拟 TX 列表 %1 已损坏：只读取了损坏处之前的记录，原文件已另存为 %2。</translation>
    </message>
    <message>
        <source>The virtual TX list %1 is damaged: only the records before the damage are read, and the file cannot be kept aside.</source>
        <translation>虚拟 TX 列表 %1 已损坏：只读取了损坏处之前的记录，且无法另存原文件。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) keeps its stored name: it has no alias to save.</source>
        <translation>设备(&apos;%1&apos;)保留其已存储的名称：没有可保存的别名。</translation>
    </message>
</context>
<context>
    <name>CHOIScene</name>
    <message>
        <source>Device(&apos;%1&apos;) fails to be connected. The operation is interrupted.</source>
        <translation>设备(&apos;%1&apos;)连接失败，操作已中断。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) is applied.</source>
        <translation>设备(&apos;%1&apos;)已应用。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) fails to be applied.</source>
        <translation>设备(&apos;%1&apos;)应用失败。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) fails to be connected.</source>
        <translation>设备(&apos;%1&apos;)连接失败。</translation>
    </message>
    <message>
        <source>Scene(&apos;%1&apos;) is applied.</source>
        <translation>场景(&apos;%1&apos;)已应用。</translation>
    </message>
    <message>
        <source>Scene(&apos;%1&apos;) fails to be applied.</source>
        <translation>场景(&apos;%1&apos;)应用失败。</translation>
    </message>
    <message>
        <source>Scene(&apos;%1&apos;) is applied with errors encountered.</source>
        <translation>场景(&apos;%1&apos;)已应用，但出现错误。</translation>
    </message>
    <message>
        <source>Apply scene ...</source>
        <translation>正在应用场景 ...</translation>
    </message>
    <message>
        <source>Update Cell link ...</source>
        <translation>正在更新单元格连接 ...</translation>
    </message>
    <message>
        <source>Stop link ...</source>
        <translation>正在停止连接 ...</translation>
    </message>
    <message>
        <source>No multicast IP address is available for device(&apos;%1&apos;), operation abort.</source>
        <translation>没有可用于设备(&apos;%1&apos;)的组播 IP 地址，操作中止。</translation>
    </message>
    <message>
        <source>castVWSwitchRX: msg_b_reconnect VW (&apos;%1&apos;)</source>
        <translation>castVWSwitchRX: msg_b_reconnect VW (&apos;%1&apos;)</translation>
    </message>
    <message>
        <source>castMatriRX: msg_b_reconnect Matrix (&apos;%1&apos;)</source>
        <translation>castMatriRX: msg_b_reconnect Matrix (&apos;%1&apos;)</translation>
    </message>
    <message>
        <source>castMatriRX: msg_b_reconnect Split (&apos;%1&apos;)</source>
        <translation>castMatriRX: msg_b_reconnect Split (&apos;%1&apos;)</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) does not support video wall function.</source>
        <translation>设备(&apos;%1&apos;)不支持电视墙功能。</translation>
    </message>
    <message>
        <source>Device (&apos;%1&apos;) can&apos;t make link with &apos;%2&apos;.</source>
        <translation>设备 (&apos;%1&apos;) 无法与 &apos;%2&apos; 建立连接。</translation>
    </message>
    <message>
        <source>Device (&apos;%1&apos;) can&apos;t make video wall with &apos;%2&apos;.</source>
        <translation>设备 (&apos;%1&apos;) 无法与 &apos;%2&apos; 组成电视墙。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) does not support mulchannel video.</source>
        <translation>设备(&apos;%1&apos;)不支持多路视频。</translation>
    </message>
    <message>
        <source>Device (&apos;%1&apos;) does not support video wall with multi host mode.</source>
        <translation>设备 (&apos;%1&apos;) 不支持多主机模式的电视墙。</translation>
    </message>
    <message>
        <source>Apply VideoWall Device Setup ...</source>
        <translation>正在应用电视墙设备设置 ...</translation>
    </message>
    <message>
        <source>Apply VideoWall To 1x1 ...</source>
        <translation>正在将电视墙应用为 1x1 ...</translation>
    </message>
    <message>
        <source>Video wall(&apos;%1&apos;) fails to be applied because only one TX device can be in one cell. The operation is interrupted.</source>
        <translation>电视墙(&apos;%1&apos;)应用失败：一个单元格中只能有一个 TX 设备。操作已中断。</translation>
    </message>
    <message>
        <source>Video wall(&apos;%1&apos;) fails to be applied because no TX or RX device is configured. The operation is interrupted.</source>
        <translation>电视墙(&apos;%1&apos;)应用失败：未配置 TX 或 RX 设备。操作已中断。</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>ungrouped</source>
        <translation>未分组</translation>
    </message>
    <message>
        <source>All Groups</source>
        <translation>所有分组</translation>
    </message>
    <message>
        <source>Standard Video Wall,PiP/Windowing Decoders,Video Wall within a Wall,PiP/Windowing Processor</source>
        <translation>标准电视墙,画中画/开窗解码器,墙中墙,画中画/开窗处理器</translation>
    </message>
    <message>
        <source>Standard Video Wall</source>
        <translation>标准电视墙</translation>
    </message>
    <message>
        <source>PiP/Windowing Decoders</source>
        <translation>画中画/开窗解码器</translation>
    </message>
    <message>
        <source>Video Wall within a Wall</source>
        <translation>墙中墙</translation>
    </message>
    <message>
        <source>PiP/Windowing Processor</source>
        <translation>画中画/开窗处理器</translation>
    </message>
    <message>
        <source>Mixer In</source>
        <translation>混音输入</translation>
    </message>
    <message>
        <source>Line In %1</source>
        <translation>线路输入 %1</translation>
    </message>
    <message>
        <source>Line Out</source>
        <translation>线路输出</translation>
    </message>
    <message>
        <source>All Mic</source>
        <translation>全部麦克风</translation>
    </message>
    <message>
        <source>Mic %1</source>
        <translation>麦克风 %1</translation>
    </message>
</context>
</TS>
