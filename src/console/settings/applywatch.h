#ifndef HOI_CONSOLE_APPLYWATCH_H
#define HOI_CONSOLE_APPLYWATCH_H

#include <QObject>

#include <functional>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoitypes.h"

class CHOIDev;
class QVariant;
class QWidget;

// The device's own verdict on lines a settings window queued and returned
// from. The link takes a line at once, also for a device that is off line,
// and gives it up only after its connection attempts, seconds later; that
// failure is shown over the window as "Failed to apply settings to
// devices.", as is a device deleted before its queue ended. Success shows
// nothing.
class CApplyWatch : public QObject
{
    Q_OBJECT

public:
    // Lines for pDev were just queued from pWidget. Its window reports the
    // end of the device's queue once, however many of its widgets queued
    // lines meanwhile. Nothing without a device.
    static void Watch(QWidget *pWidget, CHOIDev *pDev);
    // Watch when bQueued; else the device object refused the lines: the
    // same report, now.
    static void WatchQueued(QWidget *pWidget, CHOIDev *pDev, bool bQueued);
    // fnQueue queues lines on pDev, true when it queued them all; fnKeep
    // stores in the device object what they set, once the device's queue
    // ends in success, and never after a failure: so the next opening and
    // the project file never show a value the device refused or never got.
    // Listens from before the lines are queued (a link giving up at once
    // ends inside fnQueue) and for that one end only. Nothing is kept when
    // fnQueue returns false; its result is returned.
    static bool KeepOnSuccess(CHOIDev *pDev, const std::function<bool()> &fnQueue,
                              const std::function<void(CHOIDev *)> &fnKeep);
    // CHOIDev::SetOptionValue, its value kept in the option cache in this way.
    static bool SetOptionValue(CHOIDev *pDev, int nOptionId, const QVariant &value, bool bConnect);

private slots:
    void slotOnCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);
    void slotOnDevDestroyed(QObject *pDev);

private:
    explicit CApplyWatch(QWidget *pWindow);
    static void ReportFailure(QWidget *pWidget);
    // From the event loop: the end may be a drop, reported from inside a
    // layout's abort or a search's walk, which a modal box must not enter.
    void ReportFailureLater();

    QWidget *m_pWindow; // the parent
};

#endif
