#include "vtx/imagepane.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace {

void SetTextColor(QLabel *pLabel, const QColor &color)
{
    QPalette pal = pLabel->palette();
    pal.setColor(QPalette::WindowText, color);
    pLabel->setPalette(pal);
}

} // namespace

E_PaneImage ShowPaneImage(const T_ImagePane &pane, const QString &strPath, const QSize &maxSize,
                          const QString &strResolution)
{
    QImage image;
    if (!image.load(strPath))
        return E_PI_NOT_LOADED;

    pane.pPicture->setPixmap(QPixmap::fromImage(image));
    pane.pResolution->setText(strResolution.arg(image.width()).arg(image.height()));
    pane.pPath->setText(strPath);
    pane.pSize->setText(QStringLiteral("Image Size:%1 (KB)").arg(QFileInfo(strPath).size() / 1024));

    const bool bFits = image.width() <= maxSize.width() && image.height() <= maxSize.height();
    SetTextColor(pane.pResolution, bFits ? QColor(Qt::black) : QColor(Qt::red));
    return bFits ? E_PI_ACCEPTED : E_PI_TOO_LARGE;
}
