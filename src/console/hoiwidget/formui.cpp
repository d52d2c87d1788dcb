#include "hoiwidget/formui.h"

#include <QWidget>

void DropHelpButton(QWidget *pWindow)
{
    pWindow->setWindowFlags(pWindow->windowFlags() & ~Qt::WindowContextHelpButtonHint);
}
