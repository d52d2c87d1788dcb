#ifndef TESTS_CONSOLE_TILES_TILETESTHELPERS_H
#define TESTS_CONSOLE_TILES_TILETESTHELPERS_H

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include "uiservices.h"

// Every message box the code under test shows, answered at once.
struct T_SeenBoxes
{
    QStringList texts;
    QList<QMessageBox::Icon> icons;
    QList<QWidget *> parents;

    void Install()
    {
        SetMessageBoxRunner([this](QMessageBox &box) {
            texts.append(box.text());
            icons.append(box.icon());
            parents.append(box.parentWidget());
            return int(QMessageBox::Ok);
        });
    }
    void Clear()
    {
        texts.clear();
        icons.clear();
        parents.clear();
    }
};

// Runs fn on the modal dialog of class T as soon as one runs; gives up after
// five seconds so a test never hangs on a dialog.
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

inline bool WriteConfig(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size();
}

inline QAction *FindAction(const QMenu *pMenu, const QString &text)
{
    const QList<QAction *> actions = pMenu ? pMenu->actions() : QList<QAction *>();
    for (QAction *pAction : actions) {
        if (pAction->text() == text)
            return pAction;
    }
    return nullptr;
}

#endif
