#include "hoiwidget/elidelabel.h"

#include <QEvent>

QElideLabel::QElideLabel(QWidget *parent)
    : QLabel(parent)
{
}

void QElideLabel::SetFullText(const QString &strText)
{
    m_strFullText = strText;
    Elide();
}

QSize QElideLabel::minimumSizeHint() const
{
    return QSize(0, QLabel::minimumSizeHint().height());
}

void QElideLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    Elide();
}

void QElideLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Elide();
}

void QElideLabel::Elide()
{
    const int nWidth = contentsRect().width() - 2 * margin();
    const QString strShown = fontMetrics().elidedText(m_strFullText, Qt::ElideMiddle, nWidth);
    setText(strShown);
    setToolTip(strShown == m_strFullText ? QString() : m_strFullText);
}
