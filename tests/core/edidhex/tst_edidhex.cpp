// The whole-EDID rule: every 128-byte block sums to 0, not only the first.
#include "hoi_core/edidhex.h"

#include <QtTest>

namespace {

// An EDID of blocks 128-byte blocks, each with its checksum.
QByteArray Edid(int blocks)
{
    QByteArray bytes(blocks * E_EDID_BLOCK, '\x5a');
    bytes.replace(0, 8, QByteArray::fromHex("00ffffffffffff00"));
    for (int nBlock = 0; nBlock < bytes.size(); nBlock += E_EDID_BLOCK) {
        uchar nSum = 0;
        for (int i = nBlock; i < nBlock + E_EDID_BLOCK - 1; ++i)
            nSum = uchar(nSum + uchar(bytes.at(i)));
        bytes[nBlock + E_EDID_BLOCK - 1] = char(uchar(0x100 - nSum));
    }
    return bytes;
}

} // namespace

class TestEdidHex : public QObject
{
    Q_OBJECT

private slots:
    void wholeEdid_data();
    void wholeEdid();
};

void TestEdidHex::wholeEdid_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("whole");
    QTest::newRow("two blocks") << Edid(2) << true;
    QByteArray badSecond = Edid(2);
    badSecond[E_EDID_BLOCK + 10] = char(badSecond.at(E_EDID_BLOCK + 10) + 1);
    QTest::newRow("bad second block") << badSecond << false;
}

void TestEdidHex::wholeEdid()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, whole);
    QCOMPARE(IsWholeEdid(bytes), whole);
    QCOMPARE(IsValidEdidHeader(EdidRawHex(bytes)), whole);
}

QTEST_APPLESS_MAIN(TestEdidHex)
#include "tst_edidhex.moc"
