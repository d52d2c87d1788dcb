#ifndef HOI_CONSOLE_APPICON_H
#define HOI_CONSOLE_APPICON_H

#include <QIcon>

// The icon of the program's own executable file, shown by every window and
// by the About dialog.
QIcon ExecutableIcon();

#endif
