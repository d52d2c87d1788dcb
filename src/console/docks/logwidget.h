#ifndef HOI_CONSOLE_LOGWIDGET_H
#define HOI_CONSOLE_LOGWIDGET_H

#include <QDockWidget>

class QAction;
class QTextEdit;

namespace Ui {
class CLogWidget;
}

// The "Log" dock: one paragraph per progress or failure line the manager
// publishes, kept until the operator clears it ("Clear" and "Copy" in its
// context menu). It only listens.
class CLogWidget : public QDockWidget
{
    Q_OBJECT

public:
    explicit CLogWidget(QWidget *parent = nullptr);
    ~CLogWidget() override;

    QTextEdit *GetLogEdit() const;

public slots:
    void slotOnProgressLog(QString strLog);

protected:
    void changeEvent(QEvent *event) override;

private:
    void CreateActions();

    QAction *m_pClearAction;
    QAction *m_pCopyAction;
    Ui::CLogWidget *ui;
};

#endif
