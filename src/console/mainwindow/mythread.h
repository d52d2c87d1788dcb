#ifndef HOI_CONSOLE_MYTHREAD_H
#define HOI_CONSOLE_MYTHREAD_H

#include <QThread>

// A one-shot thread whose run only emits OnMyThreadSignal. Connected to a
// slot of a window on the GUI thread, the slot runs queued, once the event
// loop has started: the welcome dialog opens after the main window shows.
class CMyThread : public QThread
{
    Q_OBJECT

public:
    explicit CMyThread(QObject *parent = nullptr);
    ~CMyThread() override;

signals:
    void OnMyThreadSignal();

protected:
    void run() override;
};

#endif
