#ifndef TESTS_CONSOLE_MODALTESTHELPERS_H
#define TESTS_CONSOLE_MODALTESTHELPERS_H

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QTimer>

#include <functional>

#include "consoletestsupport.h"

// While it lives, hands each modal window that opens, in turn, to the next
// queued handler, from inside that window's own event loop. A handler must
// close its window (or leave it for the next handler).
class CModalDriver
{
public:
    using Handler = std::function<void(QWidget *)>;

    CModalDriver()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this]() {
            QWidget *pWidget = QApplication::activeModalWidget();
            if (!pWidget || pWidget == m_pLast || m_handlers.isEmpty())
                return;
            m_pLast = pWidget;
            ++m_nHandled;
            const Handler handler = m_handlers.takeFirst();
            handler(pWidget);
        });
        m_timer.start();
    }

    void Then(const Handler &handler) { m_handlers.append(handler); }
    int Handled() const { return m_nHandled; }

private:
    QList<Handler> m_handlers;
    QPointer<QWidget> m_pLast;
    QTimer m_timer;
    int m_nHandled = 0;
};

#endif
