#ifndef HOI_CONSOLE_ELIDELABEL_H
#define HOI_CONSOLE_ELIDELABEL_H

#include <QLabel>

// A one-line label for names in fixed-size tiles: a text wider than the
// label is cut in the middle, so that both the model part at the start and
// the distinguishing end of a device name stay readable, and the whole text
// becomes the label's tool tip.
class QElideLabel : public QLabel
{
    Q_OBJECT

public:
    explicit QElideLabel(QWidget *parent = nullptr);

    void SetFullText(const QString &strText);
    QString GetFullText() const { return m_strFullText; }

    // Never asks its layout for more room than it has: it shortens instead.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Elide();

    QString m_strFullText;
};

#endif
