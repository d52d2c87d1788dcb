<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgSceneEdit</name>
    <message>
        <source>Create Layout/Scene</source>
        <translation>创建布局/场景</translation>
    </message>
    <message>
        <source>Video Wall Name:</source>
        <translation>电视墙名称：</translation>
    </message>
    <message>
        <source>Screen layout/Scene</source>
        <translation>屏幕布局/场景</translation>
    </message>
    <message>
        <source>Layout/Scene Name:</source>
        <translation>布局/场景名称：</translation>
    </message>
    <message>
        <source>Row:        </source>
        <translation>行：        </translation>
    </message>
    <message>
        <source>Column:     </source>
        <translation>列：     </translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>位置：</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>分组：</translation>
    </message>
    <message>
        <source>Windowing Layout</source>
        <translation>开窗布局</translation>
    </message>
    <message>
        <source>Layout/Scene Type:</source>
        <translation>布局/场景类型：</translation>
    </message>
    <message>
        <source>Video wall in video wall</source>
        <translation>墙中墙</translation>
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
        <source>Eidt Layout/Scene</source>
        <translation>编辑布局/场景</translation>
    </message>
    <message>
        <source>Invaild character:<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ - @ * &amp; </source>
        <translation>无效字符：<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ - @ * &amp; </translation>
    </message>
    <message>
        <source>Enter a Video wall name.</source>
        <translation>请输入电视墙名称。</translation>
    </message>
    <message>
        <source>Name &apos;-&apos; error.</source>
        <translation>名称中 &apos;-&apos; 错误。</translation>
    </message>
    <message>
        <source>Name &apos; &apos; error.</source>
        <translation>名称中 &apos; &apos; 错误。</translation>
    </message>
    <message>
        <source>Enter a layout name.</source>
        <translation>请输入布局名称。</translation>
    </message>
    <message>
        <source>The current video wall already exists RX that can not be windowed</source>
        <translation>当前电视墙中已有不支持开窗的 RX</translation>
    </message>
    <message>
        <source>The current video wall already exists RX that can not be Video Wall within a Wall</source>
        <translation>当前电视墙中已有不支持墙中墙的 RX</translation>
    </message>
    <message>
        <source>Name &quot;%1&quot; exists. Use another name.</source>
        <translation>名称“%1”已存在，请使用其他名称。</translation>
    </message>
</context>
<context>
    <name>CDlgVideoVallProp</name>
    <message>
        <source>Logic Screen Properties</source>
        <translation>逻辑屏属性</translation>
    </message>
    <message>
        <source>Basic Settings</source>
        <translation>基本设置</translation>
    </message>
    <message>
        <source>Single Host Mode</source>
        <translation>单主机模式</translation>
    </message>
    <message>
        <source>Mutli Host Mode</source>
        <translation>多主机模式</translation>
    </message>
    <message>
        <source>Logic Screen Name:</source>
        <translation>逻辑屏名称：</translation>
    </message>
    <message>
        <source>window roaming</source>
        <translation>窗口漫游</translation>
    </message>
    <message>
        <source>Windowing Device:</source>
        <translation>开窗设备：</translation>
    </message>
    <message>
        <source>Bezel and Gap Compensation</source>
        <translation>边框与缝隙补偿</translation>
    </message>
    <message>
        <source>OW:</source>
        <translation>OW：</translation>
    </message>
    <message>
        <source>OH:</source>
        <translation>OH：</translation>
    </message>
    <message>
        <source>VW:</source>
        <translation>VW：</translation>
    </message>
    <message>
        <source>VH:</source>
        <translation>VH：</translation>
    </message>
    <message>
        <source>Show OSD</source>
        <translation>显示 OSD</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>高级设置</translation>
    </message>
    <message>
        <source>Devices:</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>Horizontal Shift (N x 8 pixels)</source>
        <translation>水平偏移（N x 8 像素）</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Vertical Shift (Host: N pixels  Client: N x 8 pixels)</source>
        <translation>垂直偏移（主机：N 像素  客户端：N x 8 像素）</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Horizontal Scale Up (N pixels/column_count):</source>
        <translation>水平放大（N 像素/列数）：</translation>
    </message>
    <message>
        <source>Vertical Scale Up (N pixels/row_count):</source>
        <translation>垂直放大（N 像素/行数）：</translation>
    </message>
    <message>
        <source>Tearing Delay (us):</source>
        <translation>撕裂延时（微秒）：</translation>
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
        <source>Invaild character:<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ @ * &amp; </source>
        <translation>无效字符：<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ @ * &amp; </translation>
    </message>
    <message>
        <source>Layout/Scene Name: </source>
        <translation>布局/场景名称：</translation>
    </message>
    <message>
        <source>A windowing device has been finished using in the current layout</source>
        <translation>当前布局中的开窗设备已全部占用</translation>
    </message>
    <message>
        <source>Invaild character:<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ - @ * &amp; </source>
        <translation>无效字符：<byte value="xd"/>
{ } &quot; &lt; &gt; , ; _ - @ * &amp; </translation>
    </message>
    <message>
        <source>Enter a video wall name.</source>
        <translation>请输入电视墙名称。</translation>
    </message>
    <message>
        <source>Name &apos;%1&apos; exists. Use another name.</source>
        <translation>名称“%1”已存在，请使用其他名称。</translation>
    </message>
</context>
<context>
    <name>CGpCellItem</name>
    <message>
        <source>TX:</source>
        <translation>TX:</translation>
    </message>
    <message>
        <source>TX: %1</source>
        <translation>TX: %1</translation>
    </message>
    <message>
        <source>TX Num: %1</source>
        <translation>TX 数量：%1</translation>
    </message>
    <message>
        <source>RX: %1</source>
        <translation>RX: %1</translation>
    </message>
    <message>
        <source>WP: %1</source>
        <translation>WP: %1</translation>
    </message>
    <message>
        <source>RX device (&apos;%1&apos;) exists in the current videw wall.</source>
        <translation>RX (&apos;%1&apos;) 已在当前电视墙中。</translation>
    </message>
    <message>
        <source>RX (&apos;%1&apos;) exists in the Video Wall (&apos;%2&apos;),Please remove it first.</source>
        <translation>RX (&apos;%1&apos;) 已在电视墙 (&apos;%2&apos;) 中，请先移除。</translation>
    </message>
    <message>
        <source>The current video wall is existing a PiP/Windowing Decoders,RX (&apos;%1&apos;) can not be windowed.</source>
        <translation>当前电视墙已有画中画/开窗解码器布局，RX (&apos;%1&apos;) 不支持开窗。</translation>
    </message>
    <message>
        <source>The current video wall is existing a Video Wall within a Wall layout,RX (&apos;%1&apos;) can not be windowed.</source>
        <translation>当前电视墙已有墙中墙布局，RX (&apos;%1&apos;) 不支持开窗。</translation>
    </message>
    <message>
        <source>RX (&apos;%1&apos;) can not be windowed.</source>
        <translation>RX (&apos;%1&apos;) 不支持开窗。</translation>
    </message>
    <message>
        <source>The current layout is windowe layout,TX device not allowed.</source>
        <translation>当前布局为开窗布局，不能放置 TX。</translation>
    </message>
    <message>
        <source>RX (&apos;%1&apos;) can not be Video Wall within a Wall.</source>
        <translation>RX (&apos;%1&apos;) 不支持墙中墙。</translation>
    </message>
    <message>
        <source>The current layout is Video Wall within a Wall,TX device not allowed.</source>
        <translation>当前布局为墙中墙布局，不能放置 TX。</translation>
    </message>
    <message>
        <source>Device(&apos;%1&apos;) does not support video wall function.</source>
        <translation>设备(&apos;%1&apos;)不支持电视墙功能。</translation>
    </message>
    <message>
        <source>TX device (&apos;%1&apos;) exists in the current video wall.</source>
        <translation>TX (&apos;%1&apos;) 已在当前电视墙中。</translation>
    </message>
</context>
<context>
    <name>CNameFilter</name>
    <message>
        <source>Character &apos;&amp;&apos; error.</source>
        <translation>字符“&amp;”错误。</translation>
    </message>
    <message>
        <source>Character &apos;*&apos; error.</source>
        <translation>字符“*”错误。</translation>
    </message>
    <message>
        <source>Character &apos;@&apos; error.</source>
        <translation>字符“@”错误。</translation>
    </message>
    <message>
        <source>Character &apos;_&apos; error.</source>
        <translation>字符“_”错误。</translation>
    </message>
    <message>
        <source>Character &apos;;&apos; error.</source>
        <translation>字符“;”错误。</translation>
    </message>
    <message>
        <source>Character &apos;{&apos; error.</source>
        <translation>字符“{”错误。</translation>
    </message>
    <message>
        <source>Character &apos; &apos; error.</source>
        <translation>字符“ ”（空格）错误。</translation>
    </message>
    <message>
        <source>Character &apos;}&apos; error.</source>
        <translation>字符“}”错误。</translation>
    </message>
    <message>
        <source>Character &apos;&quot;&apos; error.</source>
        <translation>字符“&quot;”错误。</translation>
    </message>
    <message>
        <source>Character &apos;&lt;&apos; error.</source>
        <translation>字符“&lt;”错误。</translation>
    </message>
    <message>
        <source>Character &apos;&gt;&apos; error.</source>
        <translation>字符“&gt;”错误。</translation>
    </message>
    <message>
        <source>Character &apos;,&apos; error.</source>
        <translation>字符“,”错误。</translation>
    </message>
    <message>
        <source>Character &apos;-&apos; error.</source>
        <translation>字符“-”错误。</translation>
    </message>
</context>
<context>
    <name>CTableGraphicsView</name>
    <message>
        <source>Change TX</source>
        <translation>更换 TX</translation>
    </message>
    <message>
        <source>Change RX</source>
        <translation>更换 RX</translation>
    </message>
    <message>
        <source>Remove TX</source>
        <translation>移除 TX</translation>
    </message>
    <message>
        <source>Remove RX</source>
        <translation>移除 RX</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Remove All RX</source>
        <translation>移除所有 RX</translation>
    </message>
    <message>
        <source>Remove All TX</source>
        <translation>移除所有 TX</translation>
    </message>
    <message>
        <source>Combine</source>
        <translation>合并</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>拆分</translation>
    </message>
    <message>
        <source>Logic Screen Properties</source>
        <translation>逻辑屏属性</translation>
    </message>
    <message>
        <source>Turn On IP/MAC Display</source>
        <translation>打开 IP/MAC 显示</translation>
    </message>
    <message>
        <source>Turn On OSD</source>
        <translation>打开 OSD</translation>
    </message>
    <message>
        <source>Turn Off IP/MAC Display</source>
        <translation>关闭 IP/MAC 显示</translation>
    </message>
    <message>
        <source>Turn Off OSD</source>
        <translation>关闭 OSD</translation>
    </message>
    <message>
        <source>Remote Control</source>
        <translation>遥控</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>CEC Control</source>
        <translation>CEC 控制</translation>
    </message>
    <message>
        <source>TX device (&apos;%1&apos;) already used in video wall of current scene.</source>
        <translation>TX (&apos;%1&apos;) 已用于当前场景的电视墙。</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the all devices in current video wall?</source>
        <translation>确定要移除当前电视墙中的所有设备吗？</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the all devices in current layout?</source>
        <translation>确定要移除当前布局中的所有设备吗？</translation>
    </message>
    <message>
        <source>The video wall fails to be created.</source>
        <translation>电视墙创建失败。</translation>
    </message>
</context>
<context>
    <name>QIPAddrWidget</name>
    <message>
        <source>Invalid IP address: %1</source>
        <translation>无效的 IP 地址：%1</translation>
    </message>
    <message>
        <source>Invalid subnet mask: %1</source>
        <translation>无效的子网掩码：%1</translation>
    </message>
    <message>
        <source>Invalid gateway: %1</source>
        <translation>无效的网关：%1</translation>
    </message>
</context>
<context>
    <name>QObject</name>
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
</context>
</TS>
