#ifndef HOI_CONSOLE_LOGWIDGET_H
#define HOI_CONSOLE_LOGWIDGET_H

#include <QDockWidget>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include "hoiwidget/formui.h"

class QAction;
class QTextEdit;

namespace Ui {
class CLogWidget;
}

// The "Log" dock: one paragraph per progress or failure line the manager
// publishes, the last E_MAX_LINES of them kept until the operator clears
// them ("Clear" and "Copy" in its context menu). It only listens.
class CLogWidget : public QDockWidget
{
    Q_OBJECT

public:
    enum
    {
        E_MAX_LINES = 10000,
        E_FLUSH_LINES = 250, // at most this many lines go into the text per turn
        E_FLUSH_MS = 100,    // and such a turn comes at most this often
        E_TRIM_LINES = 2500  // lines the text may hold beyond E_MAX_LINES while more come
    };

    explicit CLogWidget(QWidget *parent = nullptr);
    ~CLogWidget() override;

    QTextEdit *GetLogEdit() const;

public slots:
    void slotOnProgressLog(QString strLog);

protected:
    void changeEvent(QEvent *event) override;

private:
    void CreateActions();
    void AppendPendingLines();
    void TrimLines();
    void FlushLater();

    QAction *m_pClearAction;
    QAction *m_pCopyAction;
    CFormUi<Ui::CLogWidget> ui;
    QStringList m_pendingLines; // not yet in the text
    QTimer m_flushTimer;
    QElapsedTimer m_sinceFlush;
};

#endif
