#include "hoi_core/hoiconst.h"

#include <QCoreApplication>

// Evaluated at static initialisation, before the application object exists,
// so translate() hands back the source text.
const QString g_strUngrouped = QCoreApplication::translate("QObject", "ungrouped");
const QString g_strControllerModel = QStringLiteral("QN714");
const QString g_strControllerType = QStringLiteral("IP Controller");
const QString g_strAllGroups = QCoreApplication::translate("QObject", "All Groups");
const QString g_strMimeTxItem = QStringLiteral("application/qm-dev-tx-item");
const QString g_strMimeRxItem = QStringLiteral("application/qm-dev-rx-item");
const QString g_strMimeCellItem = QStringLiteral("application/qm-cell-item");
const QString g_strWallKinds = QCoreApplication::translate(
    "QObject",
    "Standard Video Wall,PiP/Windowing Decoders,Video Wall within a Wall,PiP/Windowing Processor");
const QString g_strStandardVideoWall = QCoreApplication::translate("QObject", "Standard Video Wall");
const QString g_strWindowDecoders = QCoreApplication::translate("QObject", "PiP/Windowing Decoders");
const QString g_strWallInWall = QCoreApplication::translate("QObject", "Video Wall within a Wall");
const QString g_strWindowProcessor = QCoreApplication::translate("QObject", "PiP/Windowing Processor");
const QString g_strIsSetting = QStringLiteral("is setting ");
const QString g_strEmpty;
