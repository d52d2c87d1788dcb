#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include "hoiwidget/ipaddrwidget.h"

class TestIPAddr : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void construction();
    void setAndGet_data();
    void setAndGet();

    void keySequences_data();
    void keySequences();
    void movedFieldSelectsOldValue();
    void digitPastRangeRefused();

private:
    QSpinBox *Field(int i) const { return m_pFields.at(i); }
    int FocusedField() const { return m_pFields.indexOf(qobject_cast<QSpinBox *>(QApplication::focusWidget())); }
    QString Selected(int i) const { return Field(i)->findChild<QLineEdit *>()->selectedText(); }
    void Type(const QString &keys);

    QIPAddrWidget *m_pWidget = nullptr;
    QList<QSpinBox *> m_pFields;
};

void TestIPAddr::init()
{
    m_pWidget = new QIPAddrWidget;
    m_pFields = m_pWidget->findChildren<QSpinBox *>();
    m_pWidget->show();
    m_pWidget->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWidget));
}

void TestIPAddr::cleanup()
{
    delete m_pWidget;
    m_pWidget = nullptr;
    m_pFields.clear();
}

// Types a key string: digits, '.', 'L' for Left, 'R' for Right, 'B' for
// Backspace; each goes to the field that has the focus, as from a keyboard.
void TestIPAddr::Type(const QString &keys)
{
    for (const QChar c : keys) {
        QWidget *pTarget = QApplication::focusWidget();
        QVERIFY(pTarget);
        if (c == QLatin1Char('L'))
            QTest::keyClick(pTarget, Qt::Key_Left);
        else if (c == QLatin1Char('R'))
            QTest::keyClick(pTarget, Qt::Key_Right);
        else if (c == QLatin1Char('B'))
            QTest::keyClick(pTarget, Qt::Key_Backspace);
        else
            QTest::keyClick(pTarget, c.toLatin1());
    }
}

void TestIPAddr::construction()
{
    QCOMPARE(m_pFields.size(), 4);
    const QList<QLabel *> dots = m_pWidget->findChildren<QLabel *>();
    QCOMPARE(dots.size(), 3);

    // Left to right: field, dot, field, dot, field, dot, field.
    QHBoxLayout *pLayout = qobject_cast<QHBoxLayout *>(m_pWidget->layout());
    QVERIFY(pLayout);
    QCOMPARE(pLayout->count(), 7);
    QCOMPARE(pLayout->spacing(), 0);
    QCOMPARE(pLayout->contentsMargins(), QMargins(0, 0, 0, 0));
    for (int i = 0; i < 7; ++i) {
        QWidget *pItem = pLayout->itemAt(i)->widget();
        if (i % 2 == 0) {
            QCOMPARE(pItem, static_cast<QWidget *>(Field(i / 2)));
        } else {
            QLabel *pDot = qobject_cast<QLabel *>(pItem);
            QVERIFY(pDot);
            QCOMPARE(pDot->text(), QStringLiteral("."));
            QCOMPARE(pDot->width(), 10);
            QCOMPARE(pDot->alignment(), Qt::AlignCenter);
        }
    }
    for (QSpinBox *pField : qAsConst(m_pFields)) {
        QCOMPARE(pField->minimum(), 0);
        QCOMPARE(pField->maximum(), 255);
        QCOMPARE(pField->buttonSymbols(), QAbstractSpinBox::NoButtons);
        QCOMPARE(pField->correctionMode(), QAbstractSpinBox::CorrectToNearestValue);
        QCOMPARE(pField->alignment(), Qt::AlignCenter);
        QCOMPARE(pField->minimumWidth(), 40);
    }
    QCOMPARE(m_pWidget->sizeHint(), pLayout->sizeHint());
    QCOMPARE(m_pWidget->minimumSizeHint(), pLayout->minimumSize());
    QCOMPARE(m_pWidget->GetIPAddress(), QStringLiteral("0.0.0.0"));
}

void TestIPAddr::setAndGet_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("got");

    QTest::newRow("device address") << "10.0.0.254" << "10.0.0.254";
    QTest::newRow("mask") << "255.255.0.0" << "255.255.0.0";
    QTest::newRow("no leading zeros") << "1.2.3.4" << "1.2.3.4";
    QTest::newRow("broadcast") << "255.255.255.255" << "255.255.255.255";
    QTest::newRow("empty") << "" << "0.0.0.0";
    QTest::newRow("host name") << "controller.local" << "0.0.0.0";
    QTest::newRow("ipv6") << "fe80::1" << "0.0.0.0";
    QTest::newRow("octet too large") << "10.0.0.256" << "0.0.0.0";
}

void TestIPAddr::setAndGet()
{
    QFETCH(QString, set);
    QFETCH(QString, got);
    m_pWidget->SetIPAddress(QStringLiteral("9.9.9.9"));
    m_pWidget->SetIPAddress(set);
    QCOMPARE(m_pWidget->GetIPAddress(), got);
}

void TestIPAddr::keySequences_data()
{
    QTest::addColumn<QString>("start");     // address set before typing
    QTest::addColumn<int>("startField");    // field given the focus first
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("address");   // read back afterwards
    QTest::addColumn<int>("focusField");    // field with the focus afterwards

    QTest::newRow("three digits move on") << "0.0.0.0" << 0 << "192" << "192.0.0.0" << 1;
    QTest::newRow("whole address") << "0.0.0.0" << 0 << "192168" << "192.168.0.0" << 2;
    QTest::newRow("short octets with periods") << "0.0.0.0" << 0 << "10.0.0.254" << "10.0.0.254" << 3;
    QTest::newRow("fourth digit in field 4 stays") << "0.0.0.0" << 3 << "1234" << "0.0.0.123" << 3;
    QTest::newRow("digit replaces a lone zero") << "0.0.0.0" << 2 << "5" << "0.0.5.0" << 2;
    QTest::newRow("period after 10 in field 2") << "0.0.0.0" << 1 << "10." << "0.10.0.0" << 2;
    QTest::newRow("period in field 4") << "1.2.3.4" << 3 << "." << "1.2.3.4" << 3;
    QTest::newRow("right arrow in field 4") << "1.2.3.4" << 3 << "R" << "1.2.3.4" << 3;
    QTest::newRow("left arrow in field 1") << "1.2.3.4" << 0 << "L" << "1.2.3.4" << 0;
    QTest::newRow("right arrow moves on") << "1.2.3.4" << 0 << "RR" << "1.2.3.4" << 2;
    QTest::newRow("left arrow moves back") << "1.2.3.4" << 3 << "LL" << "1.2.3.4" << 1;
    QTest::newRow("backspace gets no move") << "1.2.3.4" << 1 << "B" << "1.0.3.4" << 1;
}

void TestIPAddr::keySequences()
{
    QFETCH(QString, start);
    QFETCH(int, startField);
    QFETCH(QString, keys);
    QFETCH(QString, address);
    QFETCH(int, focusField);

    m_pWidget->SetIPAddress(start);
    Field(startField)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusedField(), startField);
    Type(keys);
    QCOMPARE(FocusedField(), focusField);
    // Leaving the widget ends any edit, as the owner's OK button would.
    Field(focusField)->clearFocus();
    QCOMPARE(m_pWidget->GetIPAddress(), address);
}

// A field reached by a move shows its old value selected, and the next digit
// replaces it.
void TestIPAddr::movedFieldSelectsOldValue()
{
    // Filled while another field has the focus, as a dialog fills it before
    // the operator comes to it.
    Field(3)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusedField(), 3);
    m_pWidget->SetIPAddress(QStringLiteral("192.168.1.5"));
    Field(0)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusedField(), 0);
    QCOMPARE(Selected(0), QStringLiteral("192"));

    Type(QStringLiteral("172"));
    QCOMPARE(FocusedField(), 1);
    QCOMPARE(Field(0)->text(), QStringLiteral("172"));
    QCOMPARE(Selected(1), QStringLiteral("168"));

    Type(QStringLiteral("16."));
    QCOMPARE(FocusedField(), 2);
    QCOMPARE(Selected(2), QStringLiteral("1"));
    Type(QStringLiteral("L"));
    QCOMPARE(FocusedField(), 1);
    QCOMPARE(Selected(1), QStringLiteral("16"));
    Type(QStringLiteral("RR9"));
    QCOMPARE(FocusedField(), 3);
    QCOMPARE(m_pWidget->GetIPAddress(), QStringLiteral("172.16.1.9"));
}

// A digit that would take a field past 255 is refused, so the focus does
// not move on either.
void TestIPAddr::digitPastRangeRefused()
{
    m_pWidget->SetIPAddress(QStringLiteral("1.2.3.4"));
    Field(1)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusedField(), 1);
    Type(QStringLiteral("300"));
    QCOMPARE(Field(1)->text(), QStringLiteral("30"));
    QCOMPARE(FocusedField(), 1);
    Type(QStringLiteral("."));
    QCOMPARE(FocusedField(), 2);
    QCOMPARE(m_pWidget->GetIPAddress(), QStringLiteral("1.30.3.4"));
}

QTEST_MAIN(TestIPAddr)
#include "tst_ipaddr.moc"
