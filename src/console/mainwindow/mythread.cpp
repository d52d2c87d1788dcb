#include "mainwindow/mythread.h"

CMyThread::CMyThread(QObject *parent)
    : QThread(parent)
{
}

CMyThread::~CMyThread()
{
    wait();
}

void CMyThread::run()
{
    emit OnMyThreadSignal();
}
