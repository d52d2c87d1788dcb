#include "control/dlgselectirdev.h"
#include "ui_dlgselectirdev.h"

#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>

namespace {

// Row 0 of the list: the device has no type.
const char kNullRow[] = "[null]";

} // namespace

CDlgSelectIrDev::CDlgSelectIrDev(const QStringList *ctrlIds, QWidget *parent)
    : QDialog(parent)
    , m_pCtrlIdList(ctrlIds)
{
    ui.SetUpDialog(this);

    if (m_pCtrlIdList) {
        const QSignalBlocker blocker(ui->cmbManfacturer);
        QSet<QString> seen;
        for (const QString &strId : *m_pCtrlIdList) {
            // An id starting with '_' names no manufacturer.
            const int nSep = strId.indexOf(QLatin1Char('_'));
            if (nSep < 1)
                continue;
            const QString strManufacturer = strId.left(nSep);
            if (seen.contains(strManufacturer))
                continue;
            seen.insert(strManufacturer);
            ui->cmbManfacturer->addItem(strManufacturer);
        }
    }
    slotShowManfacturerIrDev(QString());

    connect(ui->cmbManfacturer, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            QOverload<>::of(&CDlgSelectIrDev::slotShowManfacturerIrDev));
    connect(ui->chkAllmanufacturer, &QCheckBox::clicked, this,
            QOverload<>::of(&CDlgSelectIrDev::slotShowManfacturerIrDev));
    connect(ui->edtIrDevFilter, &QLineEdit::textChanged, this,
            QOverload<QString>::of(&CDlgSelectIrDev::slotShowManfacturerIrDev));
    connect(ui->lwIrDev, &QListWidget::currentRowChanged, this, &CDlgSelectIrDev::slotSelectChanged);
}

CDlgSelectIrDev::~CDlgSelectIrDev() = default;

QString CDlgSelectIrDev::GetSelectedId() const
{
    const int nRow = ui->lwIrDev->currentRow();
    if (nRow <= 0)
        return QString();
    return ui->lwIrDev->item(nRow)->text();
}

void CDlgSelectIrDev::slotShowManfacturerIrDev()
{
    // A change of manufacturer lists without the filter; the box keeps its
    // text until it is edited again.
    slotShowManfacturerIrDev(QString());
}

void CDlgSelectIrDev::slotShowManfacturerIrDev(QString strFilter)
{
    const bool bAll = ui->chkAllmanufacturer->isChecked();
    ui->cmbManfacturer->setEnabled(!bAll);
    QString strPrefix = bAll ? QString() : ui->cmbManfacturer->currentText();
    if (!strPrefix.isEmpty())
        strPrefix += QLatin1Char('_');

    ui->lwIrDev->clear();
    ui->lwIrDev->addItem(QString::fromLatin1(kNullRow));
    if (m_pCtrlIdList) {
        for (const QString &strId : *m_pCtrlIdList) {
            if (!strPrefix.isEmpty() && !strId.startsWith(strPrefix))
                continue;
            if (!strFilter.isEmpty() && !strId.contains(strFilter, Qt::CaseInsensitive))
                continue;
            ui->lwIrDev->addItem(strId);
        }
    }
    slotSelectChanged();
}

void CDlgSelectIrDev::slotSelectChanged()
{
    if (QPushButton *pOk = ui->buttonBox->button(QDialogButtonBox::Ok))
        pOk->setEnabled(ui->lwIrDev->currentRow() >= 0);
}

void CDlgSelectIrDev::on_lwIrDev_doubleClicked(QModelIndex index)
{
    Q_UNUSED(index)
    if (ui->lwIrDev->currentRow() >= 0)
        accept();
}
