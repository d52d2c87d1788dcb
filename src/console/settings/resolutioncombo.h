#ifndef HOI_CONSOLE_RESOLUTIONCOMBO_H
#define HOI_CONSOLE_RESOLUTIONCOMBO_H

#include <QString>

class QComboBox;

// Adds the entries of a product's resolution list ("1920x1080_60,...",
// empty entries skipped) to pCombo: "1920x1080_60" is shown as
// "1920x1080 (60fps)" and kept as the item's data, which is what a device
// takes.
void FillResolutionCombo(QComboBox *pCombo, const QString &strList);

#endif
