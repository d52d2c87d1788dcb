#ifndef HOI_CORE_HOICONST_H
#define HOI_CORE_HOICONST_H

#include <QString>

// Texts shared by the core and the interface. Those that pass through the
// translation function are built before any catalogue is installed, so they
// read the same in every interface language (project files rely on
// "ungrouped" staying "ungrouped").
extern const QString g_strUngrouped;
extern const QString g_strControllerModel;
extern const QString g_strControllerType;
extern const QString g_strAllGroups;
extern const QString g_strMimeTxItem;
extern const QString g_strMimeRxItem;
extern const QString g_strMimeCellItem;
extern const QString g_strWallKinds;
extern const QString g_strStandardVideoWall;
extern const QString g_strWindowDecoders;
extern const QString g_strWallInWall;
extern const QString g_strWindowProcessor;
extern const QString g_strIsSetting;
extern const QString g_strEmpty;

#endif
