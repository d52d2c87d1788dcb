#ifndef TESTS_CONSOLE_TILES_TILETESTHELPERS_H
#define TESTS_CONSOLE_TILES_TILETESTHELPERS_H

#include <QMenu>

#include "consoletestsupport.h"

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
