#include "upload/displayreplies.h"

#include <QAbstractButton>
#include <QComboBox>

#include "hoi_core/hoidev.h"
#include "settings/applywatch.h"

namespace {
const char *const kOsdMethods[] = {"follow", "independence"};
} // namespace

bool ShowYesNoReply(QAbstractButton *pBox, const QString &strReply)
{
    if (strReply != QLatin1String("y") && strReply != QLatin1String("n"))
        return false;
    pBox->setChecked(strReply == QLatin1String("y"));
    return true;
}

bool ShowOsdMethod(QComboBox *pCombo, const QString &strMethod)
{
    for (int i = 0; i < 2; ++i) {
        if (strMethod == QLatin1String(kOsdMethods[i])) {
            pCombo->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

bool ApplyOsdMethod(CHOIDev *pDev, const QComboBox *pCombo)
{
    const QString strMethod = QLatin1String(kOsdMethods[pCombo->currentIndex() == 0 ? 0 : 1]);
    if (!pDev->ApplyOsdDisplayMethod(strMethod))
        return false;
    CApplyWatch::KeepOnSuccess(pDev, [strMethod](CHOIDev *pDone) { pDone->SetOsdDisplayMethod(strMethod); });
    return true;
}
