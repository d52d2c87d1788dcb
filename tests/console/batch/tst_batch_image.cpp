// The Image page of the batch commands dialog against the simulated fleet:
// the file checks of its three pictures, the upload rounds over HTTP with
// their progress, failures and stalls, and the overlay and OSD settings.
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

#include "batch/dlgbatch.h"
#include "hoi_core/hoidev.h"
#include "simhttp.h"
#include "simlan.h"

#include "batchtestsupport.h"

class TestBatchImage : public CBatchTest
{
    Q_OBJECT

private slots:
    void imageFileChecks();
    void logoFileChecks();
    void overlayFileChecks();
    void idleImageRound();
    void idleImageFailures();
    void logoAndOverlayRounds();
    void unansweredUploadKeepsRoundOpen();
    void stalledUploadEndsRound();
    void slowUploadNotGivenUp();
    void closingEndsUploadsForGood();
    void uploadWithoutPathRefused();
    void lateAnswerOfEarlierRoundNotCounted();
    void uploadEndKeepsWaitingPageDisabled();
    void uploadsCheckTheFileAgain_data();
    void uploadsCheckTheFileAgain();
    void overlayPosition_data();
    void overlayPosition();
    void overlayDisplayAndOsd();
};

namespace {

// A JPEG padded with bytes after its end to the given size.
QString MakeJpeg(const QString &name, qint64 nSize)
{
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QString path = TempPath(name);
    image.save(path, "JPG");
    QFile file(path);
    file.open(QIODevice::Append);
    file.write(QByteArray(int(nSize - file.size()), '\0'));
    return path;
}

QString MakePng(const QString &name, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QString path = TempPath(name);
    image.save(path, "PNG");
    return path;
}

// A bitmap header of the given depth followed by zeros up to the size.
QString MakeBmp(const QString &name, int nBits, qint64 nSize)
{
    QByteArray bytes(int(nSize), '\0');
    auto put16 = [&](int pos, quint16 v) { qToLittleEndian(v, bytes.data() + pos); };
    auto put32 = [&](int pos, quint32 v) { qToLittleEndian(v, bytes.data() + pos); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, quint32(nSize));
    put32(10, 54);
    put32(14, 40);
    put32(18, 16);
    put32(22, 16);
    put16(26, 1);
    put16(28, quint16(nBits));
    const QString path = TempPath(name);
    WriteFile(path, bytes);
    return path;
}

bool IsRed(QLabel *pLabel)
{
    return pLabel->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

// The HTTP side of some simulated devices, on port 80 of their addresses.
class CHttpFleet
{
public:
    CHttpFleet(CSimLan *pLan, const QList<int> &devs)
    {
        for (int i : devs) {
            CSimHttp *pHttp = new CSimHttp;
            pHttp->AddUploadPath("/upload_overlay");
            if (!pHttp->Listen(pLan->Address(i), 80))
                qWarning() << "HTTP of device" << i << "not listening";
            m_http.insert(i, pHttp);
        }
    }
    ~CHttpFleet() { qDeleteAll(m_http); }
    CSimHttp *operator[](int i) const { return m_http.value(i); }

private:
    QMap<int, CSimHttp *> m_http;
};

} // namespace

void TestBatchImage::imageFileChecks()
{
    CBoxRecorder boxes;
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0});
    QPushButton *pUpload = W<QPushButton>(dlg, "pushBtnUpload_bg");
    QLabel *pSize = W<QLabel>(dlg, "label_SizeTatol_bg");

    const QString atLimit = MakeJpeg(QStringLiteral("limit.jpg"), 1572864);
    files.Answer(atLimit);
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QCOMPARE(files.Requests().last().strCaption, QStringLiteral("Select idle image"));
    QCOMPARE(files.Requests().last().strFilter, QStringLiteral("(*.jpg)"));
    QCOMPARE(W<QLineEdit>(dlg, "lineEditFilePath_bg")->text(), atLimit);
    QCOMPARE(pSize->text(), QStringLiteral("Image Size:1536 (KB) (<1.5MB)"));
    QCOMPARE(W<QLabel>(dlg, "label_Size_bg")->text(), QStringLiteral("Image Resolution:32X16"));
    QVERIFY(!IsRed(pSize));
    QVERIFY(pUpload->isEnabled());
    QVERIFY(!W<QLabel>(dlg, "labelPicture_bg")->pixmap(Qt::ReturnByValue).isNull());

    files.Answer(MakeJpeg(QStringLiteral("over.jpg"), 1572865));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QVERIFY(IsRed(pSize));
    QVERIFY(!pUpload->isEnabled());

    // Not an image, whatever its name: the choice before stays.
    const QString notImage = TempPath(QStringLiteral("text.jpg"));
    QVERIFY(WriteFile(notImage, "hello"));
    const QString before = W<QLineEdit>(dlg, "lineEditFilePath_bg")->text();
    files.Answer(notImage);
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Open image failed!"}));
    QCOMPARE(boxes.Boxes().last().title, QStringLiteral("Open image failed"));
    QCOMPARE(boxes.Boxes().last().icon, QMessageBox::Information);
    QCOMPARE(W<QLineEdit>(dlg, "lineEditFilePath_bg")->text(), before);
}

void TestBatchImage::logoFileChecks()
{
    CBoxRecorder boxes;
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {TX3});
    QPushButton *pUpload = W<QPushButton>(dlg, "pushBtnUpload_Logo");
    QLabel *pSize = W<QLabel>(dlg, "label_SizeTatol_Logo");

    files.Answer(MakeBmp(QStringLiteral("logo_ok.bmp"), 32, 131071));
    W<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    QCOMPARE(files.Requests().last().strFilter, QStringLiteral("(*.bmp)"));
    QCOMPARE(pSize->text(), QStringLiteral("Image Size:127 (KB) (<128KB)"));
    QVERIFY(!IsRed(pSize));
    QVERIFY(pUpload->isEnabled());

    files.Answer(MakeBmp(QStringLiteral("logo_limit.bmp"), 32, 131072));
    W<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    QCOMPARE(pSize->text(), QStringLiteral("Image Size:128 (KB) (<128KB)"));
    QVERIFY(IsRed(pSize));
    QVERIFY(!pUpload->isEnabled());

    // A 24-bit bitmap is refused and the choice before stays.
    QImage image(8, 8, QImage::Format_RGB888);
    image.fill(Qt::red);
    const QString rgb24 = TempPath(QStringLiteral("logo24.bmp"));
    QVERIFY(image.save(rgb24, "BMP"));
    boxes.Clear();
    files.Answer(rgb24);
    W<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
    QCOMPARE(boxes.Texts(), QStringList({"Open logo image failed!"}));
    QVERIFY(W<QLineEdit>(dlg, "lineEditFilePath_Logo")->text().endsWith(QLatin1String("logo_limit.bmp")));
}

void TestBatchImage::overlayFileChecks()
{
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {VS9});
    QPushButton *pUpload = W<QPushButton>(dlg, "pBOverlayUpload");
    QLabel *pRes = W<QLabel>(dlg, "label_42");
    files.Answer(MakePng(QStringLiteral("full.png"), 1920, 1080));
    W<QPushButton>(dlg, "pBOverlaySelect")->click();
    QCOMPARE(pRes->text(), QStringLiteral("Image Resolution:1920X1080 (<= 1920X1080)"));
    QVERIFY(!IsRed(pRes));
    QVERIFY(pUpload->isEnabled());
    for (const QSize &size : {QSize(1921, 1080), QSize(1920, 1081)}) {
        files.Answer(MakePng(QStringLiteral("big.png"), size.width(), size.height()));
        W<QPushButton>(dlg, "pBOverlaySelect")->click();
        QVERIFY(IsRed(pRes));
        QVERIFY(!pUpload->isEnabled());
    }
}

void TestBatchImage::idleImageRound()
{
    CHttpFleet http(m_pLan, {RX0, RX1, RX2});
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    QVERIFY(SetOnLine(RX1, false));

    const QString path = MakeJpeg(QStringLiteral("idle.jpg"), 200000);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    files.Answer(path);
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    QLabel *pProgress = W<QLabel>(dlg, "label_pro");
    QStringList progress;
    const auto sample = [&] {
        if (progress.last() != pProgress->text())
            progress << pProgress->text();
    };
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, sample);

    // The round starts at 0 % before any event is handled; a sample taken
    // later may already see the first progress.
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    progress << pProgress->text();
    sampler.start(1);
    QVERIFY(dlg.isEnabled());
    // Nothing is counted before the answers are in.
    QVERIFY(W<QPushButton>(dlg, "pbImageDetails")->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 1."), 10000);
    QCOMPARE(pProgress->text(), QStringLiteral("Progress: 100%"));
    sampler.stop();
    // The end may come between two samples.
    sample();
    QCOMPARE(progress.first(), QStringLiteral("Progress: 0%"));
    QCOMPARE(progress.count(QStringLiteral("Progress: 100%")), 1);
    QCOMPARE(progress.last(), QStringLiteral("Progress: 100%"));
    for (int i : {RX0, RX2}) {
        QCOMPARE(http[i]->RequestCount(), 1);
        const T_SimHttpRequest request = http[i]->Requests().first();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/upload_bg"));
        QCOMPARE(request.partName, QByteArray("bgimage"));
        QCOMPARE(request.partData, bytes);
    }
    QCOMPARE(http[RX1]->RequestCount(), 0);

    const QStringList rows = DetailRows(dlg, "pbImageDetails");
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows.last().startsWith(Dev(RX1)->GetDisplayName() + QLatin1Char('|') + Dev(RX1)->GetDefaultName()));

    // Another set of devices: that result speaks of others.
    Check(dlg, {RX0, RX2}, false);
    QVERIFY(Result(dlg, "lbResultImage").isEmpty());
    QVERIFY(pProgress->text().isEmpty());
    // A round in which no upload starts ends at once, at 100 %.
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QCOMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 0, fail: 1."));
    QCOMPARE(pProgress->text(), QStringLiteral("Progress: 100%"));
    QVERIFY(SetOnLine(RX1, true));
}

void TestBatchImage::idleImageFailures()
{
    // Two devices of one name are each counted once.
    const QString alias = Dev(RX0)->GetName();
    Dev(RX0)->SetName(QStringLiteral("Twin"));
    Dev(RX1)->SetName(QStringLiteral("Twin"));
    CHttpFleet http(m_pLan, {RX0, RX1, RX2});
    http[RX1]->SetFault(CSimHttp::E_HF_STATUS, 500);
    http[RX2]->SetFault(CSimHttp::E_HF_REFUSE);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    files.Answer(MakeJpeg(QStringLiteral("idle2.jpg"), 50000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 2."), 10000);
    QTest::qWait(300);
    QCOMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 2."));
    Dev(RX0)->SetName(alias);
    Dev(RX1)->SetName(alias);
}

void TestBatchImage::logoAndOverlayRounds()
{
    {
        CHttpFleet http(m_pLan, {TX3, TX4});
        CBatchFileAnswers files;
        CDlgBatch dlg;
        Check(dlg, {TX3, TX4});
        files.Answer(MakeBmp(QStringLiteral("logo.bmp"), 32, 4096));
        W<QPushButton>(dlg, "pushBtnSelect_Logo")->click();
        W<QPushButton>(dlg, "pushBtnUpload_Logo")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 0."), 10000);
        for (int i : {TX3, TX4}) {
            QCOMPARE(http[i]->Requests().first().path, QByteArray("/upload_logo"));
            QCOMPARE(http[i]->Stored("/upload_logo").size(), 4096);
        }
    }
    {
        CHttpFleet http(m_pLan, {VS9});
        http[VS9]->SetFault(CSimHttp::E_HF_STALL);
        CBatchFileAnswers files;
        CDlgBatch dlg;
        Check(dlg, {VS9});
        files.Answer(MakePng(QStringLiteral("overlay.png"), 64, 32));
        W<QPushButton>(dlg, "pBOverlaySelect")->click();
        W<QPushButton>(dlg, "pBOverlayUpload")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!http[VS9]->Requests().isEmpty() && http[VS9]->Requests().first().complete, 10000);
        QCOMPARE(http[VS9]->Requests().first().path, QByteArray("/upload_overlay"));
        // No count before the device has answered.
        QVERIFY(Result(dlg, "lbResultImage").startsWith(QLatin1String("is setting ")));
        QVERIFY(W<QPushButton>(dlg, "pbImageDetails")->isHidden());
        QVERIFY(W<QLabel>(dlg, "label_pro")->text() != QLatin1String("Progress: 100%"));
        http[VS9]->AnswerHeld(200);
        QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."), 10000);
        QCOMPARE(W<QLabel>(dlg, "label_pro")->text(), QStringLiteral("Progress: 100%"));
    }
}

void TestBatchImage::unansweredUploadKeepsRoundOpen()
{
    CHttpFleet http(m_pLan, {RX0, RX2});
    http[RX2]->SetFault(CSimHttp::E_HF_STALL);
    CBatchFileAnswers files;
    {
        CDlgBatch dlg;
        Check(dlg, {RX0, RX2});
        files.Answer(MakeJpeg(QStringLiteral("idle3.jpg"), 30000));
        W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
        W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
        QTRY_COMPARE_WITH_TIMEOUT(http[RX0]->RequestCount(), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(http[RX2]->RequestCount(), 1, 10000);
        QTest::qWait(500);
        // The dialog is free meanwhile; the round stays open.
        QVERIFY(dlg.isEnabled());
        QVERIFY(Result(dlg, "lbResultImage").startsWith(QLatin1String("is setting ")));
        QVERIFY(W<QLabel>(dlg, "label_pro")->text() != QLatin1String("Progress: 100%"));
        QCOMPARE(http[RX2]->OpenConnections(), 1);

        // Another operation of the page starts afresh.
        W<QComboBox>(dlg, "cbOSDMethod")->setCurrentIndex(0);
        W<QPushButton>(dlg, "pbApplyOSDMethod")->click();
        QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 0."));
        QCOMPARE(http[RX2]->OpenConnections(), 1);
        // Closing the dialog ends the upload still under way.
        dlg.reject();
        QTRY_COMPARE_WITH_TIMEOUT(http[RX2]->OpenConnections(), 0, 5000);
    }
}

void TestBatchImage::stalledUploadEndsRound()
{
    // A device that takes the picture and never answers fails once its
    // upload has made no progress for the stall time: the round ends.
    CHttpFleet http(m_pLan, {RX0, RX2});
    http[RX2]->SetFault(CSimHttp::E_HF_STALL);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    dlg.SetUploadStallTimeout(2000);
    Check(dlg, {RX0, RX2});
    files.Answer(MakeJpeg(QStringLiteral("idle6.jpg"), 30000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 1."), 15000);
    QCOMPARE(W<QLabel>(dlg, "label_pro")->text(), QStringLiteral("Progress: 100%"));
    QTRY_COMPARE(http[RX2]->OpenConnections(), 0);

    // The next round goes through once the device answers again.
    http[RX2]->SetFault(CSimHttp::E_HF_NONE);
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 0."), 10000);
}

void TestBatchImage::slowUploadNotGivenUp()
{
    // A device on a slow link takes the picture for longer than the limit
    // (a megabyte at 400 KB/s, twice as long at the least), but never stops
    // taking it that long: it is not given up.
    CHttpFleet http(m_pLan, {RX0});
    http[RX0]->SetFault(CSimHttp::E_HF_SLOW_READ, 400000);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    dlg.SetUploadStallTimeout(1000);
    Check(dlg, {RX0});
    files.Answer(MakeJpeg(QStringLiteral("slow.jpg"), 1000000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."), 30000);
    QCOMPARE(http[RX0]->Requests().first().status, 200);
}

void TestBatchImage::closingEndsUploadsForGood()
{
    // Closing the dialog mid-upload ends the upload: the device gets little
    // more than was on its way, not the rest of the picture, which would
    // hold up its link. The next dialog's round counts its own answer.
    CHttpFleet http(m_pLan, {RX0});
    http[RX0]->SetFault(CSimHttp::E_HF_SLOW_READ, 200000);
    CBatchFileAnswers files;
    const QString path = MakeJpeg(QStringLiteral("closed.jpg"), 1000000);
    const auto taken = [&http]() {
        const QList<T_SimHttpRequest> requests = http[RX0]->Requests();
        return requests.isEmpty() ? 0 : requests.first().body.size();
    };
    int nAtClose = 0;
    {
        CDlgBatch dlg;
        Check(dlg, {RX0});
        files.Answer(path);
        W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
        W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
        QTRY_VERIFY_WITH_TIMEOUT(taken() > 100000, 10000);
        nAtClose = taken();
        dlg.reject();
    }
    http[RX0]->SetFault(CSimHttp::E_HF_NONE);
    CDlgBatch dlg;
    Check(dlg, {RX0});
    files.Answer(path);
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(http[RX0]->OpenConnections(), 0, 10000);
    const QList<T_SimHttpRequest> requests = http[RX0]->Requests();
    QCOMPARE(requests.size(), 2);
    const int nAfterClose = requests.first().body.size() - nAtClose;
    QVERIFY2(nAfterClose < 150000, qPrintable(QString::number(nAfterClose)));
    QCOMPARE(requests.last().status, 200);
}

void TestBatchImage::uploadWithoutPathRefused()
{
    // Sent to the device's web root, the picture would be taken for set: a
    // product without an upload path is refused, by name.
    CBoxRecorder boxes;
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {GW7});
    files.Answer(MakeJpeg(QStringLiteral("nopath.jpg"), 30000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QCOMPARE(boxes.Texts(), QStringList({"The image cannot be uploaded to Gateway: its product has no upload path "
                                         "(\"url\") in config.xml."}));
    QVERIFY(dlg.isEnabled());
    QVERIFY(Result(dlg, "lbResultImage").isEmpty());
}

void TestBatchImage::lateAnswerOfEarlierRoundNotCounted()
{
    CHttpFleet http(m_pLan, {RX0, RX1, RX2});
    const auto held = [&http](int i) {
        int n = 0;
        for (const T_SimHttpRequest &request : http[i]->Requests())
            n += request.complete && request.status == 0 ? 1 : 0;
        return n;
    };
    http[RX2]->SetFault(CSimHttp::E_HF_STALL);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0, RX2});
    files.Answer(MakeJpeg(QStringLiteral("idle7.jpg"), 30000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(held(RX2), 1, 10000);

    // A second round over three devices, one of which stalls to the end.
    http[RX1]->SetFault(CSimHttp::E_HF_STALL);
    Check(dlg, {RX1});
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(held(RX2), 2, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(held(RX1), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(http[RX0]->RequestCount(), 2, 10000);
    // RX2 answers both rounds: the first round's answer comes late and
    // must not close the second round, which still waits for RX1.
    http[RX2]->AnswerHeld(200);
    QTRY_COMPARE_WITH_TIMEOUT(http[RX2]->OpenConnections(), 0, 10000);
    http[RX1]->Close();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 2, fail: 1."), 10000);
}

void TestBatchImage::uploadsCheckTheFileAgain_data()
{
    QTest::addColumn<QByteArray>("select");
    QTest::addColumn<int>("dev");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("changed"); // what the file is at the upload

    QTest::newRow("idle image past 1.5 MB") << QByteArray("pushBtnSelect_bg") << int(RX0)
                                             << MakeJpeg(QStringLiteral("re_ok.jpg"), 30000)
                                             << MakeJpeg(QStringLiteral("re_big.jpg"), 1572865);
    QTest::newRow("logo of 24 bits") << QByteArray("pushBtnSelect_Logo") << int(TX3)
                                      << MakeBmp(QStringLiteral("re_ok.bmp"), 32, 4096)
                                      << MakeBmp(QStringLiteral("re_24.bmp"), 24, 4096);
    QTest::newRow("overlay too wide") << QByteArray("pBOverlaySelect") << int(VS9)
                                       << MakePng(QStringLiteral("re_ok.png"), 64, 32)
                                       << MakePng(QStringLiteral("re_wide.png"), 1921, 1080);
}

void TestBatchImage::uploadsCheckTheFileAgain()
{
    QFETCH(QByteArray, select);
    QFETCH(int, dev);
    QFETCH(QString, chosen);
    QFETCH(QString, changed);

    // The file changes on disk between its choice and the upload.
    const QString path = TempPath(QStringLiteral("re_chosen.") + QFileInfo(chosen).suffix());
    QFile::remove(path);
    QVERIFY(QFile::copy(chosen, path));
    CHttpFleet http(m_pLan, {dev});
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {dev});
    files.Answer(path);
    W<QPushButton>(dlg, select.constData())->click();
    QPushButton *pUpload = W<QPushButton>(dlg, select.replace("Select", "Upload").constData());
    QVERIFY(pUpload->isEnabled());
    QFile::remove(path);
    QVERIFY(QFile::copy(changed, path));
    pUpload->click();
    QCOMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 0, fail: 1."));
    QTest::qWait(300);
    QCOMPARE(http[dev]->RequestCount(), 0);
}

void TestBatchImage::uploadEndKeepsWaitingPageDisabled()
{
    // An upload that ends while another operation waits for a link leaves
    // the dialog disabled until that operation has its result.
    CHttpFleet http(m_pLan, {RX0});
    http[RX0]->SetFault(CSimHttp::E_HF_STALL);
    CBatchFileAnswers files;
    CDlgBatch dlg;
    Check(dlg, {RX0});
    files.Answer(MakeJpeg(QStringLiteral("idle5.jpg"), 30000));
    W<QPushButton>(dlg, "pushBtnSelect_bg")->click();
    W<QPushButton>(dlg, "pushBtnUpload_bg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(http[RX0]->RequestCount(), 1, 10000);

    // A shell that takes the connection and never speaks holds the other
    // operation.
    Check(dlg, {RX1});
    Dev(RX1)->CloseComm();
    m_pLan->Device(RX1)->setSilent(true);
    const auto restore = qScopeGuard([this] {
        m_pLan->Device(RX1)->setSilent(false);
        Dev(RX1)->GetComm()->SetCheckerInterval(CBaseComm::kDefaultCheckerInterval);
    });
    W<QPushButton>(dlg, "btnCloseMsg")->click();
    QTRY_VERIFY_WITH_TIMEOUT(Dev(RX1)->GetComm()->IsConnected(), 10000);
    http[RX0]->Close();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 0, fail: 1."), 5000);
    QVERIFY(!dlg.isEnabled());
    // Only now may the link give up: after its reply time-outs, short here.
    Dev(RX1)->GetComm()->SetCheckerInterval(500);
    m_pLan->Device(RX1)->dropConnections();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 1, fail: 1."), 10000);
    QVERIFY(dlg.isEnabled());
}

void TestBatchImage::overlayPosition_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("h");
    QTest::addColumn<QByteArray>("v");

    QTest::newRow("no X") << "" << "5" << "Please enter the X coordinate." << QByteArray() << QByteArray();
    QTest::newRow("X 0") << "0" << "5" << "Value out of range." << QByteArray() << QByteArray();
    QTest::newRow("X 1921") << "1921" << "5" << "Value out of range." << QByteArray() << QByteArray();
    QTest::newRow("X not a number") << "abc" << "5" << "Value out of range." << QByteArray() << QByteArray();
    QTest::newRow("no Y") << "5" << "" << "Please enter the Y coordinate." << QByteArray() << QByteArray();
    QTest::newRow("Y 1081") << "5" << "1081" << "Value out of range." << QByteArray() << QByteArray();
    QTest::newRow("top left") << "1" << "1" << "" << QByteArray("0") << QByteArray("0");
    QTest::newRow("bottom right") << "1920" << "1080" << "" << QByteArray("1919") << QByteArray("1079");
    // The device off: its link gives up, and what it never took is not kept.
    QTest::newRow("device off") << "300" << "200" << "" << QByteArray() << QByteArray();
}

void TestBatchImage::overlayPosition()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, message);
    QFETCH(QByteArray, h);
    QFETCH(QByteArray, v);

    CBoxRecorder boxes;
    CDlgBatch dlg;
    Check(dlg, {VS9});
    // No message and no lines: the device is off.
    const bool bOff = message.isEmpty() && h.isEmpty();
    const QByteArray project = Project();
    const QString wasH = Dev(VS9)->GetOverlayPosH();
    if (bOff) {
        m_pLan->SetDeviceOn(VS9, false);
        QTRY_VERIFY(!Dev(VS9)->GetComm()->IsConnected());
    }
    W<QLineEdit>(dlg, "lECoorX")->setText(x);
    W<QLineEdit>(dlg, "lECoorY")->setText(y);
    W<QPushButton>(dlg, "pBOverlayApply")->click();
    if (bOff) {
        QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 0, fail: 1."));
        QCOMPARE(Dev(VS9)->GetOverlayPosH(), wasH);
        QCOMPARE(Project(), project);
        return;
    }
    if (!message.isEmpty()) {
        QVERIFY(dlg.isEnabled());
        QCOMPARE(boxes.Texts(), QStringList({message}));
        QCOMPARE(boxes.Boxes().first().icon, QMessageBox::Information);
        QTest::qWait(200);
        QVERIFY(Lines(VS9, {"gbconfig", "e e_png"}).isEmpty());
        return;
    }
    QVERIFY(boxes.Texts().isEmpty());
    QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(VS9, {"gbconfig", "e e_png"}),
             QList<QByteArray>({"gbconfig --png-overlay-pos-h " + h, "gbconfig --png-overlay-pos-v " + v,
                                "e e_png_overlay"}));
    QCOMPARE(Dev(VS9)->GetOverlayPosH(), QString::fromLatin1(h));
    QCOMPARE(Dev(VS9)->GetOverlayPosV(), QString::fromLatin1(v));
}

void TestBatchImage::overlayDisplayAndOsd()
{
    CDlgBatch dlg;
    Check(dlg, {VS9});
    W<QCheckBox>(dlg, "checkBoxDisplay")->setChecked(true);
    W<QPushButton>(dlg, "pushBtnApply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(VS9, {"gbconfig", "e e_png"}),
             QList<QByteArray>({"gbconfig --png-overlay-enable=y", "e e_png_overlay"}));

    m_pLan->ClearReceived();
    W<QComboBox>(dlg, "cbOSDMethod")->setCurrentIndex(1);
    W<QPushButton>(dlg, "pbApplyOSDMethod")->click();
    QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 1, fail: 0."));
    QCOMPARE(Lines(VS9, {"gbconfig"}), QList<QByteArray>({"gbconfig --osd-display-method=independence"}));
    QCOMPARE(Dev(VS9)->GetOsdDisplayMethod(), QStringLiteral("independence"));

    // A method the device never took is not the one kept.
    m_pLan->SetDeviceOn(VS9, false);
    QTRY_VERIFY(!Dev(VS9)->GetComm()->IsConnected());
    W<QComboBox>(dlg, "cbOSDMethod")->setCurrentIndex(0);
    W<QPushButton>(dlg, "pbApplyOSDMethod")->click();
    QTRY_COMPARE(Result(dlg, "lbResultImage"), QStringLiteral("succeed: 0, fail: 1."));
    QCOMPARE(Dev(VS9)->GetOsdDisplayMethod(), QStringLiteral("independence"));
}

QTEST_MAIN(TestBatchImage)
#include "tst_batch_image.moc"
