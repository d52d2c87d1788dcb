#ifndef TST_DEVICE_H
#define TST_DEVICE_H

#include <QObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "simdevice_commands.h"
#include "simlan.h"

using Action = std::function<bool(CHOIDev *)>;
Q_DECLARE_METATYPE(Action)

QStringList LogLines(const QSignalSpy &spy);
int CountEnding(const QStringList &lines, const QString &end);
QList<QByteArray> Lines(std::initializer_list<const char *> lines);

extern const char kTxHost[];
extern const char kTxName[];

class TestDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void enumsAreRegistered();
    void connectNeverCompletes();
    void connectRefusedCompletesOnce();
    void connectedThenSilentCompletesOnceWithTimeout();
    void failedQueueIsResentAfterReconnect();
    void deviceWithoutTelnetNeverConnects();

    void senderLines_data();
    void senderLines();
    void senderRefusals_data();
    void senderRefusals();
    void connectRulesOfSenders();
    void operatorTextArrivesUnchanged_data();
    void operatorTextArrivesUnchanged();
    void sinkPowerTextsArriveUnchanged();

    void readParam_data();
    void readParam();
    void readParamNameChangesOnce();
    void readParamFailureResets();
    void audioPortOptionIsCached();
    void shellReplies();
    void controllerReplies();

    void updateFromDevBurst_data();
    void updateFromDevBurst();
    void updateFromDevStoresValues();
    void versionReply_data();
    void versionReply();
    void setOnLineEdges();
    void quietReadBackBacksOff();

    void networkLines_data();
    void networkLines();
    void applyToDevOnController();
    void controllerAddressAndVersion_data();
    void controllerAddressAndVersion();
    void controllerFallsBackToPort23_data();
    void controllerFallsBackToPort23();

    void identityHelpers();
    void virtualTxList();
    void irCodeReportsFailureLater();

private:
    CHOIDev *MakeDev(CHOIDev::DevType type, const QString &host, const QString &ip,
                     bool oldApi = false);
    // A simulated device of the test LAN and the device object that drives it.
    CHOIDev *MakeSimDev(CHOIDev::DevType type, const QString &host, const QString &simType,
                        SimDevice **ppSim, bool oldApi = false);
    bool WaitDone(QSignalSpy &spy, int count = 1, int ms = 15000);

    QTemporaryDir m_tmp;
    CHOIDevMgr *m_mgr = nullptr;
    CSimLan *m_lan = nullptr;
    QList<CHOIDev *> m_devs;
};

#endif // TST_DEVICE_H
