#include "settings/resolutioncombo.h"

#include <QComboBox>
#include <QStringList>

void FillResolutionCombo(QComboBox *pCombo, const QString &strList)
{
    const QStringList items = strList.split(QLatin1Char(','));
    for (const QString &strItem : items) {
        if (strItem.isEmpty())
            continue;
        const int nBar = strItem.indexOf(QLatin1Char('_'));
        const QString strCaption = nBar > 0 ? QStringLiteral("%1 (%2fps)").arg(strItem.left(nBar), strItem.mid(nBar + 1))
                                            : strItem;
        pCombo->addItem(strCaption, strItem);
    }
}
