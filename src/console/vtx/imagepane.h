#ifndef HOI_CONSOLE_IMAGEPANE_H
#define HOI_CONSOLE_IMAGEPANE_H

#include <QSize>
#include <QString>

class QLabel;
class QLineEdit;

// The image part of the single-device upload dialogs (overlay image, preview
// image, the virtual TX list's preview group): the chosen path, the
// resolution and size lines and the picture. The forms name these widgets
// alike; each dialog hands its own in.
struct T_ImagePane
{
    QLineEdit *pPath = nullptr;
    QLabel *pResolution = nullptr;
    QLabel *pSize = nullptr;
    QLabel *pPicture = nullptr;
};

enum E_PaneImage {
    E_PI_NOT_LOADED = 0, // not an image: nothing was changed
    E_PI_ACCEPTED,       // shown, within the limit
    E_PI_TOO_LARGE,      // shown, resolution line red
};

// Loads the picture and shows it with its resolution (strResolution with %1
// the width and %2 the height) and its size in KB. Pictures are shown and
// posted unchanged; a picture beyond maxSize is only marked.
E_PaneImage ShowPaneImage(const T_ImagePane &pane, const QString &strPath, const QSize &maxSize,
                          const QString &strResolution);

#endif
