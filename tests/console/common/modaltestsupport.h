#ifndef TESTS_CONSOLE_COMMON_MODALTESTSUPPORT_H
#define TESTS_CONSOLE_COMMON_MODALTESTSUPPORT_H

// Reaching a modal window from inside its own event loop: the test fills it
// in and accepts or rejects it as the operator would.

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>

// Every console test runs with a guard (modalguard.cpp) that fails the
// running test on a modal window nobody takes, naming its text, and closes
// it: a box no test expects ends the test at once instead of blocking it
// until the time-out. A watcher and OnModal take the windows they would be
// handed; a window handed to a handler is that handler's to close.
namespace ModalGuard {

using Claim = std::function<bool(QWidget *)>;

inline QList<const Claim *> &Claims()
{
    static QList<const Claim *> claims;
    return claims;
}

inline QList<QPointer<QWidget>> &Handed()
{
    static QList<QPointer<QWidget>> handed;
    return handed;
}

inline void Hand(QWidget *pWindow)
{
    Handed().append(pWindow);
}

inline bool IsTaken(QWidget *pWindow)
{
    // A handed window that was closed may be opened again (a dialog kept
    // for reuse): then it is new.
    Handed().erase(std::remove_if(Handed().begin(), Handed().end(),
                                  [](const QPointer<QWidget> &p) { return !p || !p->isVisible(); }),
                   Handed().end());
    if (Handed().contains(pWindow))
        return true;
    for (const Claim *pClaim : Claims()) {
        if ((*pClaim)(pWindow))
            return true;
    }
    return false;
}

} // namespace ModalGuard

// While it lives, looks every 10 ms for the active modal window and hands it
// to a handler from inside that window's own event loop; a handler must
// close its window. Three ways to use it:
// - CModalWatcher(fn): the first modal window (with bPopups also a popup,
//   such as a context menu) goes to fn, then the watcher stops; with bEvery
//   it does not stop, and whatever is active at each look goes to fn.
// - CModalWatcher() and Then(fn), Then(fn2)...: each modal window that
//   opens, in turn, goes to the next queued handler.
// - CModalWatcher() and Always(fn): each modal window that opens goes to fn.
// In the last two, a window is handed over once; one opening at the address
// of a destroyed one is new.
class CModalWatcher
{
public:
    using Handler = std::function<void(QWidget *)>;

    explicit CModalWatcher(const Handler &fn, bool bPopups = false, bool bEvery = false)
        : m_fn(fn)
        , m_bPopups(bPopups)
        , m_bEvery(bEvery)
    {
        Start();
    }

    CModalWatcher()
        : m_bEachWindow(true)
    {
        Start();
    }

    ~CModalWatcher() { ModalGuard::Claims().removeAll(&m_claim); }

    void Then(const Handler &handler) { m_handlers.append(handler); }
    void Always(const Handler &handler) { m_fn = handler; }

    bool Fired() const { return m_nFired > 0; }
    int Count() const { return m_nFired; }

private:
    void Start()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this]() { Look(); });
        m_timer.start();
        m_claim = [this](QWidget *pWidget) { return Takes(pWidget); };
        ModalGuard::Claims().append(&m_claim);
    }

    // Whether the next look would hand pWidget to a handler.
    bool Takes(QWidget *pWidget) const
    {
        if (!m_timer.isActive())
            return false;
        if (m_bEachWindow)
            return m_seen.contains(pWidget) || !m_handlers.isEmpty() || m_fn;
        return true;
    }

    void Look()
    {
        QWidget *pWidget = m_bPopups ? QApplication::activePopupWidget() : nullptr;
        if (!pWidget)
            pWidget = QApplication::activeModalWidget();
        if (!pWidget)
            return;
        Handler handler = m_fn;
        if (m_bEachWindow) {
            if (m_seen.contains(pWidget) || (m_handlers.isEmpty() && !m_fn))
                return;
            m_seen.append(pWidget);
            if (!m_handlers.isEmpty())
                handler = m_handlers.takeFirst();
        } else if (!m_bEvery) {
            m_timer.stop();
        }
        ++m_nFired;
        ModalGuard::Hand(pWidget);
        handler(pWidget);
    }

    Handler m_fn;
    QList<Handler> m_handlers;
    // Null once destroyed, so a window at a reused address is new.
    QList<QPointer<QWidget>> m_seen;
    bool m_bPopups = false;
    bool m_bEvery = false;
    bool m_bEachWindow = false;
    QTimer m_timer;
    int m_nFired = 0;
    ModalGuard::Claim m_claim;
};

// Runs fn on the modal dialog of class T as soon as one runs; gives up after
// five seconds, and a dialog that comes later fails the test at the guard.
template <class T>
void OnModal(const std::function<void(T *)> &fn)
{
    // Waits for the dialog and takes it until it comes or the wait ends.
    struct CPending : QTimer
    {
        ~CPending() override { ModalGuard::Claims().removeAll(&claim); }
        ModalGuard::Claim claim = [](QWidget *pWidget) { return qobject_cast<T *>(pWidget) != nullptr; };
        int nTries = 0;
    };
    CPending *pPending = new CPending;
    ModalGuard::Claims().append(&pPending->claim);
    pPending->setInterval(10);
    QObject::connect(pPending, &QTimer::timeout, [pPending, fn]() {
        T *pDialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!pDialog && ++pPending->nTries < 500)
            return;
        pPending->stop();
        pPending->deleteLater();
        ModalGuard::Claims().removeAll(&pPending->claim);
        if (pDialog) {
            ModalGuard::Hand(pDialog);
            fn(pDialog);
        }
    });
    pPending->start();
}

#endif
