#ifndef HOI_CORE_HOIRECORDS_H
#define HOI_CORE_HOIRECORDS_H

#include <QString>

// Plain records carried between the configuration files, the project file,
// the device objects and the windows. All are copied by value.

// One virtual TX (an IP camera) of a gateway's list. Every field is kept as
// the operator or the list file gave it; nothing is interpreted here.
struct T_IpcInfo
{
    QString aliasname;
    QString hostname;
    QString url;
    QString sn;
    QString user;
    QString passwd;
    QString width;
    QString height;
    QString fps;
    QString transporttype;
    QString enable;
    QString outstreamtype;
    QString remark;
};

// The output settings of a decoder, as CHOIDev::ApplyVideoOutputSetting
// sends them.
struct T_VideoOutputSetting
{
    bool bHdcpAlwaysOn = false;
    bool bHdcpAlwaysOn22 = false;
    QString strTimingConvert; // "0" or "800000" and a CEA-861 code
    bool bTurnOffScreen = false;
    int nSrcUnavailableTimeout = -1; // ms, -1: no detection
    int nStretchType = 2;
    int nRotate = 0;
};

// One multiview layout of "IPMLayout.xml".
struct T_IpmLayoutInfo
{
    int id = 0;
    QString layout_name;
    // One geometry item per window, separated by ";".
    QString position_and_size_of_each_window;
    QString image_path;
    QString icon_path;
};

// Audio choice of one multiview layout: mode "separate" (source is a TX host
// name) or "window" (source is a window number).
struct T_IpmAudioInfo
{
    QString mode;
    QString source;

    void Clear()
    {
        mode.clear();
        source.clear();
    }
};

// One entry of a multiview decoder's layout list.
struct T_IpmLayoutSeq
{
    QString layout_name;
    int sequence = 0;
};

// One window of a windowing layout. The creator sets every number.
struct T_VisualScreenInfo
{
    QString name;
    int layerseq = 0;
    int hstart = 0;
    int vstart = 0;
    int hsize = 0;
    int vsize = 0;
    QString tx;
};

// Video-wall picture adjustment of one device in one layout.
struct T_VWDevSetup
{
    int hshift = 0; // negative moves left
    int vshift = 0; // negative moves up
    int hscale = 0;
    int vscale = 0;
    int delay_kick = 0; // tearing delay, microseconds
};

#endif
