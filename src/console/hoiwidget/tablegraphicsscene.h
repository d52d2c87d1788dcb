#ifndef HOI_CONSOLE_TABLEGRAPHICSSCENE_H
#define HOI_CONSOLE_TABLEGRAPHICSSCENE_H

#include <QGraphicsScene>

// The graphics scene of a layout grid. It adds nothing: the grid view works
// through the standard scene (items, selection, clear).
class CTableGraphicsScene : public QGraphicsScene
{
    Q_OBJECT

public:
    explicit CTableGraphicsScene(QObject *parent = nullptr)
        : QGraphicsScene(parent)
    {
    }
};

#endif
