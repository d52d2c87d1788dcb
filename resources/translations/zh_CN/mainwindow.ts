<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgChooseExpend</name>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Select File Exported</source>
        <translation>选择导出的文件</translation>
    </message>
    <message>
        <source>.HOI project file</source>
        <translation>.HOI 工程文件</translation>
    </message>
    <message>
        <source>.TXT file</source>
        <translation>.TXT 文件</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ZEDA diri RE Dodezur</source>
        <translation>ZEDA diri RE Dodezur</translation>
    </message>
    <message>
        <source>QN714</source>
        <translation>QN714</translation>
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
        <source>RX</source>
        <translation>RX</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>Create Layout/Scene</source>
        <translation>创建布局/场景</translation>
    </message>
    <message>
        <source>Edit Layout/Scene</source>
        <translation>编辑布局/场景</translation>
    </message>
    <message>
        <source>Remove Layout/Scene</source>
        <translation>删除布局/场景</translation>
    </message>
    <message>
        <source>Sort item in the list</source>
        <translation>列表排序</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Automatically apply </source>
        <translation>自动应用 </translation>
    </message>
    <message>
        <source>Set as active layout</source>
        <translation>设为当前布局</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>状态：</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>分组</translation>
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
        <source>Create VW</source>
        <translation>创建电视墙</translation>
    </message>
    <message>
        <source>Automatically apply</source>
        <translation>自动应用</translation>
    </message>
    <message>
        <source>Video Wall</source>
        <translation>电视墙</translation>
    </message>
    <message>
        <source>Edit VW</source>
        <translation>编辑电视墙</translation>
    </message>
    <message>
        <source>Delete VW</source>
        <translation>删除电视墙</translation>
    </message>
    <message>
        <source>Create Layout</source>
        <translation>创建布局</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Edit Device</source>
        <translation>编辑设备</translation>
    </message>
    <message>
        <source>Delete Device</source>
        <translation>删除设备</translation>
    </message>
    <message>
        <source>All Groups</source>
        <translation>所有分组</translation>
    </message>
    <message>
        <source>Create Group</source>
        <translation>创建分组</translation>
    </message>
    <message>
        <source>Other Devices</source>
        <translation>其他设备</translation>
    </message>
    <message>
        <source>Main Tool Bar</source>
        <translation>主工具栏</translation>
    </message>
    <message>
        <source>Project(&amp;P)</source>
        <translation>工程(&amp;P)</translation>
    </message>
    <message>
        <source>Tools(&amp;T)</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>Option(&amp;O)</source>
        <translation>选项(&amp;O)</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>新建工程</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Open a configuration file.</source>
        <translation>打开配置文件。</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save a configuration file.</source>
        <translation>保存配置文件。</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Search TX/RX online</source>
        <translation>搜索在线的 TX/RX</translation>
    </message>
    <message>
        <source>Save alias</source>
        <translation>保存别名</translation>
    </message>
    <message>
        <source>Save alias to TX/RX</source>
        <translation>保存别名到 TX/RX</translation>
    </message>
    <message>
        <source>Batch commands</source>
        <translation>批量命令</translation>
    </message>
    <message>
        <source>IR</source>
        <translation>红外</translation>
    </message>
    <message>
        <source>Remote control with infrared</source>
        <translation>红外遥控</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Send serial message</source>
        <translation>发送串口消息</translation>
    </message>
    <message>
        <source>CEC</source>
        <translation>CEC</translation>
    </message>
    <message>
        <source>Remote control with CEC</source>
        <translation>CEC 遥控</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>待机</translation>
    </message>
    <message>
        <source>Standby machine</source>
        <translation>待机设备</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>定时任务</translation>
    </message>
    <message>
        <source>Execute scene on specified datetime</source>
        <translation>在指定时间执行场景</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Export to summary.txt file</source>
        <translation>导出到 summary.txt 文件</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>About version</source>
        <translation>关于版本</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Show operation log</source>
        <translation>显示操作日志</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Show device detail information</source>
        <translation>显示设备详细信息</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Info Window</source>
        <translation>信息窗口</translation>
    </message>
    <message>
        <source>Device Information Window</source>
        <translation>设备信息窗口</translation>
    </message>
    <message>
        <source>Log Window</source>
        <translation>日志窗口</translation>
    </message>
    <message>
        <source>Could not find menu.check the configuration file please</source>
        <translation>找不到菜单，请检查配置文件</translation>
    </message>
    <message>
        <source>The file path is empty.</source>
        <translation>文件路径为空。</translation>
    </message>
    <message>
        <source>Open file failed,check the configuration file &quot;file_path&quot; fill in,
It is consistent with the path of the file.</source>
        <translation>打开文件失败，请检查配置文件中填写的 &quot;file_path&quot;，
是否与文件的路径一致。</translation>
    </message>
    <message>
        <source>Contains unknown device type,opration disabled.</source>
        <translation>包含未知类型的设备，操作已禁用。</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>More Files...</source>
        <translation>更多文件...</translation>
    </message>
    <message>
        <source>The schedule will not execute when program exit, sure to exit?</source>
        <translation>程序退出后定时任务将不会执行，确定退出吗？</translation>
    </message>
    <message>
        <source>Do you want to save the changes to a project file?</source>
        <translation>是否将更改保存到工程文件？</translation>
    </message>
    <message>
        <source>Do you want to save?</source>
        <translation>是否保存？</translation>
    </message>
    <message>
        <source>Save failure.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>Failed to apply.</source>
        <translation>应用失败。</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>确定要删除“%1”吗？</translation>
    </message>
    <message>
        <source>The layout is the last one,are you sure you want to delete &apos;%1&apos;?</source>
        <translation>这是最后一个布局，确定要删除“%1”吗？</translation>
    </message>
    <message>
        <source>A new project file will be established,please make sure the current work has been saved.<byte value="xd"/>
<byte value="xd"/>
Do you want to continue?</source>
        <translation>将新建工程文件，请确认当前工作已保存。<byte value="xd"/>
<byte value="xd"/>
是否继续？</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>DevInfo file (*.hoi)</source>
        <translation>设备信息文件 (*.hoi)</translation>
    </message>
    <message>
        <source>Failed to open &apos;%1&apos;: the file cannot be read or is not a project file.</source>
        <translation>无法打开“%1”：文件无法读取或不是工程文件。</translation>
    </message>
    <message>
        <source>Imported successfully.</source>
        <translation>导入成功。</translation>
    </message>
    <message>
        <source>Devinfo file (*.hoi)</source>
        <translation>设备信息文件 (*.hoi)</translation>
    </message>
    <message>
        <source>Save successfully.</source>
        <translation>保存成功。</translation>
    </message>
    <message>
        <source>Save as successfully.</source>
        <translation>另存为成功。</translation>
    </message>
    <message>
        <source>Save as failure.</source>
        <translation>另存为失败。</translation>
    </message>
    <message>
        <source>Sceneinfo file (*.txt)</source>
        <translation>场景信息文件 (*.txt)</translation>
    </message>
    <message>
        <source>Exported successfully.</source>
        <translation>导出成功。</translation>
    </message>
    <message>
        <source>Failed to export.</source>
        <translation>导出失败。</translation>
    </message>
    <message>
        <source>Are you sure you want to save alias to devices?</source>
        <translation>确定要将别名保存到设备吗？</translation>
    </message>
    <message>
        <source>Upload Failed.</source>
        <translation>上传失败。</translation>
    </message>
    <message>
        <source>Current QN714 Address is not found</source>
        <translation>找不到当前 QN714 的地址</translation>
    </message>
    <message>
        <source>Download error.</source>
        <translation>下载出错。</translation>
    </message>
    <message>
        <source>Uploading this file will overwrite the existing file. Are you sure you wish to continue?</source>
        <translation>上传此文件将覆盖已有的文件，确定继续吗？</translation>
    </message>
    <message>
        <source>Downloaded file will overwrite this project file, Are you sure you wish to continue?</source>
        <translation>下载的文件将覆盖此工程文件，确定继续吗？</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>No viewer was found on this computer for &quot;%1&quot;.</source>
        <translation>本机上找不到可以查看“%1”的程序。</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>(%1) does not exist rx.</source>
        <translation>（%1）不存在 RX。</translation>
    </message>
</context>
</TS>
