#ifndef TESTS_CONSOLE_COMMON_MODALTESTSUPPORT_H
#define TESTS_CONSOLE_COMMON_MODALTESTSUPPORT_H

// Reaching a modal window from inside its own event loop: the test fills it
// in and accepts or rejects it as the operator would.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// While it lives, hands the first modal window that opens (with bPopups
// also a popup, such as a context menu; with bEvery every one) to fn, from
// inside that window's own event loop; fn must close it.
class CModalWatcher
{
public:
    explicit CModalWatcher(const std::function<void(QWidget *)> &fn, bool bPopups = false, bool bEvery = false)
        : m_fn(fn)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this, bPopups, bEvery]() {
            QWidget *pWidget = bPopups ? QApplication::activePopupWidget() : nullptr;
            if (!pWidget)
                pWidget = QApplication::activeModalWidget();
            if (!pWidget)
                return;
            if (!bEvery)
                m_timer.stop();
            ++m_nFired;
            m_fn(pWidget);
        });
        m_timer.start();
    }

    bool Fired() const { return m_nFired > 0; }
    int Count() const { return m_nFired; }

private:
    std::function<void(QWidget *)> m_fn;
    QTimer m_timer;
    int m_nFired = 0;
};

// Runs fn on the modal dialog of class T as soon as one runs; gives up after
// five seconds so that no test can hang on a dialog.
template <class T>
void OnModal(const std::function<void(T *)> &fn)
{
    QTimer *pTimer = new QTimer;
    pTimer->setInterval(10);
    int *pTries = new int(0);
    QObject::connect(pTimer, &QTimer::timeout, [pTimer, pTries, fn]() {
        T *pDialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!pDialog && ++*pTries < 500)
            return;
        pTimer->stop();
        pTimer->deleteLater();
        delete pTries;
        if (pDialog)
            fn(pDialog);
    });
    pTimer->start();
}

#endif
