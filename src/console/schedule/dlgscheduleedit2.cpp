#include "schedule/dlgscheduleedit2.h"
#include "ui_dlgscheduleedit2.h"

#include <QDateTime>
#include <QPushButton>
#include <QTimer>

#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "uiservices.h"

CDlgScheduleEdit2::CDlgScheduleEdit2(T_ScheduleInfo *pInfo, QWidget *parent)
    : QDialog(parent)
    , m_pInfo(pInfo)
{
    ui.SetUpDialog(this, [this] {
        // The button box renames its buttons when the event reaches it,
        // after this; the own captions go on afterwards.
        QTimer::singleShot(0, this, &CDlgScheduleEdit2::SetButtonTexts);
    });
    SetButtonTexts();
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &CDlgScheduleEdit2::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &CDlgScheduleEdit2::reject);

    CHOIScene *pCurScene = nullptr;
    if (m_pInfo) {
        ui->dateEditStart->setDate(
            QDate(m_pInfo->start_date.year, m_pInfo->start_date.month, m_pInfo->start_date.day));
        ui->timeEdit->setTime(
            QTime(m_pInfo->exec_time.hour, m_pInfo->exec_time.minute, m_pInfo->exec_time.second, 0));
        pCurScene = m_pInfo->scene;
    }

    ui->cmbScenes->clear();
    int nCurrent = -1;
    if (g_pHOIDevMgr) {
        for (int i = 0; i < g_pHOIDevMgr->GetSceneCount(); ++i) {
            CHOIScene *pScene = g_pHOIDevMgr->GetScene(i);
            ui->cmbScenes->addItem(pScene->GetName(), SceneToVariant(pScene));
            if (pScene == pCurScene && nCurrent < 0)
                nCurrent = i;
        }
    }
    // A new record, or one whose layout is gone, starts with none chosen.
    ui->cmbScenes->setCurrentIndex(nCurrent);
    m_shownDate = ui->dateEditStart->date();
    m_shownTime = ui->timeEdit->time();
}

CDlgScheduleEdit2::~CDlgScheduleEdit2() = default;

void CDlgScheduleEdit2::SetButtonTexts()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
}

void CDlgScheduleEdit2::accept()
{
    if (ui->cmbScenes->currentIndex() < 0) {
        MsgCritical(this, QString(), tr("Select a scene to execute!"));
        ui->cmbScenes->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QDate date = ui->dateEditStart->date();
    const QTime time = ui->timeEdit->time();
    // A recurring schedule keeps its rule, and its start date may well lie
    // in the past; only what the operator changed is written into it.
    const bool bOnce = !m_pInfo || !m_pInfo->IsRecurring();
    if (bOnce && QDateTime(date, time) < QDateTime::currentDateTime()) {
        MsgCritical(this, QString(), tr("Start datetime can not be earlier than the current datetime!"));
        ui->dateEditStart->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_pInfo) {
        m_pInfo->scene = VariantToScene(ui->cmbScenes->currentData());
        if (bOnce || date != m_shownDate) {
            m_pInfo->start_date.year = quint16(date.year());
            m_pInfo->start_date.month = quint16(date.month());
            m_pInfo->start_date.day = quint16(date.day());
        }
        if (bOnce || time != m_shownTime) {
            m_pInfo->exec_time.hour = quint8(time.hour());
            m_pInfo->exec_time.minute = quint8(time.minute());
            m_pInfo->exec_time.second = quint8(time.second());
        }
        if (bOnce) {
            m_pInfo->type = 4;
            m_pInfo->weekdays = 255;
            m_pInfo->limit_date = true;
            m_pInfo->end_date = m_pInfo->start_date;
        }
    }
    QDialog::accept();
}
