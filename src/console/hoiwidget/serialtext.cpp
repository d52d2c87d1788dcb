#include "hoiwidget/serialtext.h"

#include <QTextDocument>

namespace {

bool IsLineBreak(QChar ch)
{
    return ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator
           || ch == QChar::LineSeparator;
}

bool IsHexEntryChar(QChar ch)
{
    const QChar upper = ch.toUpper();
    return (upper >= QLatin1Char('0') && upper <= QLatin1Char('9'))
           || (upper >= QLatin1Char('A') && upper <= QLatin1Char('F')) || upper == QLatin1Char(' ');
}

} // namespace

QString WithoutLineBreaks(QString strText)
{
    strText.remove(QLatin1Char('\r'));
    strText.remove(QLatin1Char('\n'));
    return strText;
}

bool FilterHexEnd(QTextDocument *pDoc)
{
    int nCut = -1;
    for (int nPos = pDoc->characterCount() - 2; nPos >= 0; --nPos) {
        const QChar ch = pDoc->characterAt(nPos);
        if (IsLineBreak(ch))
            continue;
        if (IsHexEntryChar(ch))
            break;
        nCut = nPos;
    }
    if (nCut < 0)
        return false;
    QTextCursor cursor(pDoc);
    cursor.setPosition(nCut);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    return true;
}
