<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgHttpManage</name>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Uploading...</source>
        <translation>正在上传...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>正在下载...</translation>
    </message>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>error!</source>
        <translation>错误！</translation>
    </message>
    <message>
        <source>Download complete.</source>
        <translation>下载完成。</translation>
    </message>
    <message>
        <source>Download failed.</source>
        <translation>下载失败。</translation>
    </message>
    <message>
        <source>Upload complete.</source>
        <translation>上传完成。</translation>
    </message>
    <message>
        <source>Upload failed.</source>
        <translation>上传失败。</translation>
    </message>
</context>
<context>
    <name>CDlgImageSetting</name>
    <message>
        <source>Idle Image Settings</source>
        <translation>待机图片设置</translation>
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
        <source>Upload</source>
        <translation>上传</translation>
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
        <source>Upload Progress:</source>
        <translation>上传进度：</translation>
    </message>
    <message>
        <source>Upload Power On Logo Image</source>
        <translation>上传开机 Logo 图片</translation>
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
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Note: Reboot the devices to make the new settings effective.</source>
        <translation>注意：重启设备后新设置才能生效。</translation>
    </message>
    <message>
        <source>Image Resolution: 1280X720</source>
        <translation>图片分辨率：1280X720</translation>
    </message>
    <message>
        <source>Select Logo</source>
        <translation>选择 Logo</translation>
    </message>
    <message>
        <source>Select Background</source>
        <translation>选择背景</translation>
    </message>
</context>
<context>
    <name>CDlgMapSettings</name>
    <message>
        <source>Windowing Image Settings</source>
        <translation>开窗图片设置</translation>
    </message>
    <message>
        <source>Upload Windowing Image</source>
        <translation>上传开窗图片</translation>
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
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Image Resolution: 1920X1080</source>
        <translation>图片分辨率：1920X1080</translation>
    </message>
    <message>
        <source>Image Format:*.jpg</source>
        <translation>图片格式：*.jpg</translation>
    </message>
    <message>
        <source>Image Size: not to exceed 1.5MB</source>
        <translation>图片大小：不超过 1.5MB</translation>
    </message>
    <message>
        <source>Upload Progress:</source>
        <translation>上传进度：</translation>
    </message>
    <message>
        <source>Windowing Image Display Settings</source>
        <translation>开窗图片显示设置</translation>
    </message>
    <message>
        <source>Display Windowing Image</source>
        <translation>显示开窗图片</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>OSD Display Settings</source>
        <translation>OSD 显示设置</translation>
    </message>
    <message>
        <source>Display OSD</source>
        <translation>显示 OSD</translation>
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
        <source>Image Format:*.bmp</source>
        <translation>图片格式：*.bmp</translation>
    </message>
    <message>
        <source>Image Size: not to exceed 10MB</source>
        <translation>图片大小：不超过 10MB</translation>
    </message>
    <message>
        <source>Idle Image Settings</source>
        <translation>待机图片设置</translation>
    </message>
    <message>
        <source>Upload Idle Image</source>
        <translation>上传待机图片</translation>
    </message>
    <message>
        <source>Note: Reboot the devices to make the new settings effective.</source>
        <translation>注意：重启设备后新设置才能生效。</translation>
    </message>
    <message>
        <source>Select Background Image</source>
        <translation>选择背景图片</translation>
    </message>
    <message>
        <source>Background image (*.jpg)</source>
        <translation>背景图片 (*.jpg)</translation>
    </message>
    <message>
        <source>Background image (*.bmp)</source>
        <translation>背景图片 (*.bmp)</translation>
    </message>
</context>
</TS>
