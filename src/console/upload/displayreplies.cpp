#include "upload/displayreplies.h"

#include <QAbstractButton>
#include <QComboBox>

#include "hoi_core/hoidev.h"
#include "hoi_core/prodidinfo.h"
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
    return CApplyWatch::KeepOnSuccess(
        pDev, [&] { return pDev->ApplyOsdDisplayMethod(strMethod); },
        [strMethod](CHOIDev *pDone) { pDone->SetOsdDisplayMethod(strMethod); });
}

bool ApplyOverlayPosition(CHOIDev *pDev, const QString &strH, const QString &strV, bool bBoth)
{
    return CApplyWatch::KeepOnSuccess(
        pDev,
        [&] {
            const bool bH = pDev->SetOptionValue(E_EP_PNG_OVERLAY_POS_H, strH, true, false);
            if (!bH && !bBoth)
                return false;
            return pDev->SetOptionValue(E_EP_PNG_OVERLAY_POS_V, strV, true, false) && bH;
        },
        [strH, strV](CHOIDev *pDone) {
            pDone->KeepOptionValue(E_EP_PNG_OVERLAY_POS_H, strH);
            pDone->SetOverlayPosH(strH);
            pDone->KeepOptionValue(E_EP_PNG_OVERLAY_POS_V, strV);
            pDone->SetOverlayPosV(strV);
        });
}
