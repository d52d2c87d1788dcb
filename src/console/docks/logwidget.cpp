#include "docks/logwidget.h"
#include "ui_logwidget.h"

#include <QAction>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "hoi_core/hoidevmgr.h"

CLogWidget::CLogWidget(QWidget *parent)
    : QDockWidget(parent)
    , m_pClearAction(nullptr)
    , m_pCopyAction(nullptr)
{
    ui->setupUi(this);
    // A fleet logs tens of thousands of lines an hour: only the last ones
    // are kept, with no undo history behind them.
    ui->teLog->setUndoRedoEnabled(false);
    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, &CLogWidget::AppendPendingLines);
    if (g_pHOIDevMgr)
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnProgressLog, this, &CLogWidget::slotOnProgressLog);
    CreateActions();
}

CLogWidget::~CLogWidget()
{
    delete m_pClearAction;
    delete m_pCopyAction;
}

QTextEdit *CLogWidget::GetLogEdit() const
{
    return ui->teLog;
}

void CLogWidget::CreateActions()
{
    delete m_pClearAction;
    delete m_pCopyAction;
    m_pClearAction = new QAction(tr("Clear"), ui->teLog);
    connect(m_pClearAction, &QAction::triggered, ui->teLog, &QTextEdit::clear);
    ui->teLog->addAction(m_pClearAction);
    m_pCopyAction = new QAction(tr("Copy"), ui->teLog);
    connect(m_pCopyAction, &QAction::triggered, ui->teLog, &QTextEdit::copy);
    ui->teLog->addAction(m_pCopyAction);
}

void CLogWidget::slotOnProgressLog(QString strLog)
{
    // A read-back brings hundreds of lines in one turn of the event loop:
    // they go into the text together once the turn is over. Lines that the
    // text would push out before they were seen are dropped here already.
    m_pendingLines.append(strLog);
    if (m_pendingLines.size() > E_MAX_LINES)
        m_pendingLines.removeFirst();
    if (!m_flushTimer.isActive())
        FlushLater();
}

void CLogWidget::FlushLater()
{
    // A line after a quiet spell shows at once. While lines pour in, the
    // text takes them at a pace an operator can still read: those the
    // newest E_MAX_LINES push out meanwhile are dropped before they cost a
    // layout.
    const qint64 elapsed = m_sinceFlush.isValid() ? m_sinceFlush.elapsed() : qint64(E_FLUSH_MS);
    m_flushTimer.start(int(qMax<qint64>(0, E_FLUSH_MS - elapsed)));
}

void CLogWidget::AppendPendingLines()
{
    m_sinceFlush.start();
    QTextDocument *pDoc = ui->teLog->document();
    // Taking lines off the top moves every line below it, tens of
    // milliseconds in a shown dock: while lines keep coming that is done
    // every few turns, in a turn of its own.
    if (!m_pendingLines.isEmpty() && pDoc->blockCount() > E_MAX_LINES + E_TRIM_LINES) {
        TrimLines();
        FlushLater();
        return;
    }
    if (m_pendingLines.isEmpty())
        return;
    // A shown dock lays out every line it takes, some tens of microseconds
    // each, and a thousand devices bring thousands of lines a turn: one turn
    // takes at most E_FLUSH_LINES of them, the next turn the next ones.
    const int count = qMin(m_pendingLines.size(), int(E_FLUSH_LINES));
    // Appended as plain text: a device name or reply holding '<' must show
    // as it is, not as markup.
    QScrollBar *pBar = ui->teLog->verticalScrollBar();
    const bool bAtEnd = pBar->value() == pBar->maximum();
    QTextCursor cursor(pDoc);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (!pDoc->isEmpty())
        cursor.insertBlock();
    cursor.insertText(count == m_pendingLines.size() ? m_pendingLines.join(QLatin1Char('\n'))
                                                     : m_pendingLines.mid(0, count).join(QLatin1Char('\n')));
    cursor.endEditBlock();
    m_pendingLines.erase(m_pendingLines.begin(), m_pendingLines.begin() + count);
    if (m_pendingLines.isEmpty())
        TrimLines();
    else
        FlushLater();
    if (bAtEnd)
        pBar->setValue(pBar->maximum());
}

void CLogWidget::TrimLines()
{
    QTextDocument *pDoc = ui->teLog->document();
    const int excess = pDoc->blockCount() - E_MAX_LINES;
    if (excess <= 0)
        return;
    // Selected by position: moving the cursor block by block lays out each
    // line it passes.
    QTextCursor cursor(pDoc);
    cursor.setPosition(pDoc->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void CLogWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Log"));
        CreateActions();
    }
    QDockWidget::changeEvent(event);
}
