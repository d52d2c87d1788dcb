// The multipart uploader against the simulated device's HTTP endpoints on
// 127.0.0.1: what goes over the wire, the status it hands on, and that no
// kind of server failure leaves it waiting without a way out.
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "simhttp.h"
#include "upload/httpconnect.h"

namespace {

using StatusSignal = void (HttpConnect::*)(QVariant);
using NamedStatusSignal = void (HttpConnect::*)(QString, QVariant);
const StatusSignal kStatus = &HttpConnect::OnGetMapUploadStatus;
const NamedStatusSignal kNamedStatus = &HttpConnect::OnGetMapUploadStatus;

// The file name as a browser sends it in the part's header.
QByteArray SentName(const QString &path)
{
    return path.toUtf8().replace('"', "%22");
}

QByteArray ExpectedBody(const QString &path, const QByteArray &data)
{
    return "-----webkitFormBoundary8ESp7IbP7szByKvn\r\n"
           "Content-Disposition: form-data; name=\"bgimage\"; filename=\""
           + SentName(path) + "\"\r\nContent-Type: image\r\n\r\n" + data
           + "\r\n-----webkitFormBoundary8ESp7IbP7szByKvn--\r\n";
}

QByteArray Pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff); // CR, LF and dashes included
    return bytes;
}

} // namespace

class TestHttpConnect : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void postsOneFileAsOnePart_data();
    void postsOneFileAsOnePart();
    void refusesWithoutFile_data();
    void refusesWithoutFile();
    void answers_data();
    void answers();
    void rawAnswers_data();
    void rawAnswers();
    void stalledUploadEndsOnlyByAbort();
    void destroyedWhileUploading();
    void droppedUploadKeepsBodyUntilGone();
    void oneUploadAtATime();

private:
    QString WriteFile(const QString &name, const QByteArray &bytes);
    QString Url(const char *path) const { return m_http->BaseUrl() + QLatin1String(path); }

    QTemporaryDir m_dir;
    CSimHttp *m_http = nullptr;
};

void TestHttpConnect::init()
{
    QVERIFY(m_dir.isValid());
    m_http = new CSimHttp;
    QVERIFY(m_http->Listen());
}

void TestHttpConnect::cleanup()
{
    delete m_http;
    m_http = nullptr;
}

QString TestHttpConnect::WriteFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

void TestHttpConnect::postsOneFileAsOnePart_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("path");

    QTest::newRow("logo") << "logo.bmp" << 5000 << QByteArray("/upload_logo");
    QTest::newRow("empty file") << "empty.jpg" << 0 << QByteArray("/upload_bg");
    QTest::newRow("large idle image") << "idle image.jpg" << 1572864 << QByteArray("/upload_bg");
    QTest::newRow("not an image") << "ipc.xml" << 700 << QByteArray("/upload/setipclist");
    QTest::newRow("quote in the name") << "say \"cheese\".bmp" << 300 << QByteArray("/upload_logo");
}

void TestHttpConnect::postsOneFileAsOnePart()
{
    QFETCH(QString, fileName);
    QFETCH(int, size);
    QFETCH(QByteArray, path);

    const QByteArray data = Pattern(size);
    const QString filePath = WriteFile(fileName, data);
    QVERIFY(!filePath.isEmpty());

    HttpConnect http;
    QSignalSpy status(&http, kStatus);
    QSignalSpy named(&http, kNamedStatus);
    QSignalSpy sent(&http, &HttpConnect::signalSendBytes);
    QVERIFY(http.PostFile(filePath, m_http->BaseUrl() + QString::fromLatin1(path), QStringLiteral("dev-7")));
    QVERIFY(http.IsBusy());

    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(0), QVariant(200));
    QCOMPARE(named.count(), 1);
    QCOMPARE(named.at(0).at(0).toString(), QStringLiteral("dev-7"));
    QCOMPARE(named.at(0).at(1), QVariant(200));
    QVERIFY(!http.IsBusy());

    QCOMPARE(m_http->RequestCount(), 1);
    const T_SimHttpRequest req = m_http->Requests().first();
    QCOMPARE(req.method, QByteArray("POST"));
    QCOMPARE(req.path, path);
    QCOMPARE(req.Header("Content-Type"),
             QByteArray("multipart/form-data; boundary=---webkitFormBoundary8ESp7IbP7szByKvn"));
    QCOMPARE(req.Header("MIME-Version"), QByteArray("1.0"));
    const QByteArray expected = ExpectedBody(filePath, data);
    QCOMPARE(req.Header("Content-Length").toLongLong(), qint64(expected.size()));
    QVERIFY(req.complete);
    QCOMPARE(req.body.size(), expected.size());
    QVERIFY(req.body == expected);
    QCOMPARE(req.partCount, 1);
    QCOMPARE(req.partName, QByteArray("bgimage"));
    QCOMPARE(req.fileName, SentName(filePath)); // the full path, not the base name
    QCOMPARE(req.partType, QByteArray("image"));
    QVERIFY(m_http->Stored(path) == data);

    QVERIFY(!sent.isEmpty());
    QCOMPARE(sent.last().at(0).toLongLong(), qint64(expected.size()));

    // The file is handed back: it can be removed and the uploader serves again.
    QVERIFY(QFile::remove(filePath));
    const QString second = WriteFile(QStringLiteral("second.bin"), "xyz");
    QVERIFY(http.PostFile(second, Url("/upload_logo"), QStringLiteral("dev-8")));
    QTRY_COMPARE(named.count(), 2);
    QCOMPARE(named.at(1).at(0).toString(), QStringLiteral("dev-8"));
    QCOMPARE(m_http->Stored("/upload_logo"), QByteArray("xyz"));
}

void TestHttpConnect::refusesWithoutFile_data()
{
    QTest::addColumn<QString>("filePath");
    QTest::addColumn<QByteArray>("urlPath");
    QTest::newRow("empty path") << QString() << QByteArray("/upload_logo");
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/dir/logo.bmp") << QByteArray("/upload_logo");
    // The device's home page would answer 200.
    QTest::newRow("web root") << WriteFile(QStringLiteral("root.bmp"), "bm") << QByteArray("/");
}

void TestHttpConnect::refusesWithoutFile()
{
    QFETCH(QString, filePath);
    QFETCH(QByteArray, urlPath);
    HttpConnect http;
    QSignalSpy status(&http, kStatus);
    QSignalSpy named(&http, kNamedStatus);
    QVERIFY(!http.PostFile(filePath, m_http->BaseUrl() + QString::fromLatin1(urlPath), QStringLiteral("dev")));
    QVERIFY(!http.IsBusy());
    QTest::qWait(300);
    QCOMPARE(status.count(), 0);
    QCOMPARE(named.count(), 0);
    QCOMPARE(m_http->RequestCount(), 0);
}

void TestHttpConnect::answers_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("value");
    QTest::addColumn<QVariant>("code");

    QTest::newRow("refused") << int(CSimHttp::E_HF_REFUSE) << 0 << QVariant();
    QTest::newRow("404") << int(CSimHttp::E_HF_STATUS) << 404 << QVariant(404);
    QTest::newRow("201 is no 200") << int(CSimHttp::E_HF_STATUS) << 201 << QVariant(201);
    QTest::newRow("dropped mid-body") << int(CSimHttp::E_HF_DROP_BODY) << 1000 << QVariant();
    QTest::newRow("answer without end") << int(CSimHttp::E_HF_ENDLESS_ANSWER) << 2 * 1024 * 1024 << QVariant();
    // The shapes of lenient servers, as HTTP lets a recipient take them.
    QTest::newRow("bare-LF head") << int(CSimHttp::E_HF_LF_HEAD) << 0 << QVariant(200);
    QTest::newRow("LF throughout, kept open") << int(CSimHttp::E_HF_LF_ONLY) << 0 << QVariant(200);
    QTest::newRow("chunked 200 kept open") << int(CSimHttp::E_HF_CHUNKED) << 0 << QVariant(200);
    QTest::newRow("100 Continue, then 200") << int(CSimHttp::E_HF_CONTINUE) << 0 << QVariant(200);
}

void TestHttpConnect::answers()
{
    QFETCH(int, fault);
    QFETCH(int, value);
    QFETCH(QVariant, code);

    const QString filePath = WriteFile(QStringLiteral("bg.jpg"), Pattern(200000));
    m_http->SetFault(CSimHttp::E_Fault(fault), value);

    HttpConnect http;
    QSignalSpy status(&http, kStatus);
    QSignalSpy named(&http, kNamedStatus);
    QVERIFY(http.PostFile(filePath, Url("/upload_bg"), QStringLiteral("rx-1")));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(0), code);
    QCOMPARE(status.at(0).at(0).isValid(), code.isValid());
    QCOMPARE(named.count(), 1);
    QCOMPARE(named.at(0).at(1), code);
    QCOMPARE(m_http->HasStored("/upload_bg"), code == QVariant(200));
    QVERIFY(!http.IsBusy());
    QTest::qWait(200);
    QCOMPARE(status.count(), 1); // one report, no second one from a retry

    // Then the uploader serves the next upload.
    m_http->SetFault(CSimHttp::E_HF_NONE);
    QVERIFY(http.PostFile(filePath, Url("/upload_bg"), QStringLiteral("rx-1")));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 20000);
    QCOMPARE(status.at(1).at(0), QVariant(200));
}

void TestHttpConnect::rawAnswers_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QVariant>("code");
    QTest::addColumn<int>("split");
    // Each answer also in pieces, each in a read of its own: the reader
    // picks up where the last read left it. Many cuts per answer, so one
    // that a busy machine reads together with the next hides nothing.
    const auto row = [](const char *name, const QByteArray &raw, const QVariant &code) {
        QTest::newRow(name) << raw << code << int(CSimHttp::E_AS_WHOLE);
        QTest::addRow("%s, byte by byte", name) << raw << code << int(CSimHttp::E_AS_BYTES);
        QTest::addRow("%s, cut at line ends", name) << raw << code << int(CSimHttp::E_AS_LINE_ENDS);
    };
    const QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    const QByteArray length2 = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK";
    row("chunk sizes past the cap", chunked + "7ffffffffffffff0\r\n7fffffffffffffe0\r\n0\r\n\r\n", QVariant());
    row("length past the cap", QByteArray(length2).replace(": 2", ": 99999999999"), QVariant());
    row("chunk size no hex number", chunked + "zz\r\nOK\r\n0\r\n\r\n", QVariant());
    row("LF in chunk data", chunked + "3\r\nO\nK\r\n0\r\n\r\n", QVariant(200));
    row("codings in two lines",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nOK\r\n0\r\n\r\n",
        QVariant(200));
    row("empty last coding", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked,\r\n\r\n2\r\nOK\r\n0\r\n\r\n", QVariant(200));
    row("coding on a folded line",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip,\r\n chunked\r\n\r\n2\r\nOK\r\n0\r\n\r\n", QVariant(200));
    row("LF head, CR LF empty line", "HTTP/1.1 200 OK\nContent-Length: 2\n\r\nOK", QVariant(200));
    row("empty lines before status lines", "\r\nHTTP/1.1 100 Continue\r\n\r\n\r\n" + length2, QVariant(200));
}

void TestHttpConnect::rawAnswers()
{
    QFETCH(QByteArray, raw);
    QFETCH(QVariant, code);
    QFETCH(int, split);
    // Kept open: the upload ends on the answer's bytes alone, well before
    // the uploader's own limit.
    m_http->SetFault(CSimHttp::E_HF_RAW_ANSWER);
    m_http->SetRawAnswer(raw);
    m_http->SetAnswerSplit(CSimHttp::E_AnswerSplit(split));
    HttpConnect http;
    QSignalSpy named(&http, kNamedStatus);
    const QString filePath = WriteFile(QStringLiteral("bg.jpg"), Pattern(1000));
    QVERIFY(http.PostFile(filePath, Url("/upload_bg"), QStringLiteral("rx-1")));
    QTRY_COMPARE_WITH_TIMEOUT(named.count(), 1, 20000);
    QCOMPARE(named.at(0).at(1), code);
}

void TestHttpConnect::stalledUploadEndsOnlyByAbort()
{
    const QString filePath = WriteFile(QStringLiteral("logo.bmp"), Pattern(4000));
    m_http->SetFault(CSimHttp::E_HF_STALL);

    HttpConnect http;
    QSignalSpy status(&http, kStatus);
    QSignalSpy named(&http, kNamedStatus);
    QVERIFY(http.PostFile(filePath, Url("/upload_logo"), QStringLiteral("tx-2")));
    QTRY_COMPARE(m_http->RequestCount(), 1);
    QTRY_VERIFY(m_http->Requests().first().complete);
    QTest::qWait(500);
    QCOMPARE(status.count(), 0);
    QVERIFY(http.IsBusy());

    http.Abort();
    QTRY_COMPARE(status.count(), 1);
    QVERIFY(!status.at(0).at(0).isValid());
    QCOMPARE(named.count(), 1);
    QCOMPARE(named.at(0).at(0).toString(), QStringLiteral("tx-2"));
    QVERIFY(!http.IsBusy());
    QTRY_COMPARE(m_http->OpenConnections(), 0);
}

void TestHttpConnect::destroyedWhileUploading()
{
    const QString filePath = WriteFile(QStringLiteral("logo.bmp"), Pattern(4000));
    m_http->SetFault(CSimHttp::E_HF_STALL);

    QPointer<HttpConnect> http = new HttpConnect;
    int reports = 0;
    connect(http.data(), kStatus, this, [&reports](QVariant) { ++reports; });
    QVERIFY(http->PostFile(filePath, Url("/upload_logo"), QString()));
    QTRY_COMPARE(m_http->RequestCount(), 1);
    QTRY_COMPARE(m_http->OpenConnections(), 1);

    delete http.data();
    QTRY_COMPARE(m_http->OpenConnections(), 0); // the connection went with it
    QTest::qWait(200);
    QCOMPARE(reports, 0);
    QVERIFY(QFile::remove(filePath));
}

void TestHttpConnect::droppedUploadKeepsBodyUntilGone()
{
    const QString filePath = WriteFile(QStringLiteral("logo.bmp"), Pattern(4000));
    m_http->SetFault(CSimHttp::E_HF_STALL);
    HttpConnect http;
    QSignalSpy status(&http, kStatus);
    QVERIFY(http.PostFile(filePath, Url("/upload_logo"), QStringLiteral("rx-3")));
    QPointer<QFile> body = http.findChild<QFile *>();
    QVERIFY(body);
    QTRY_COMPARE(m_http->RequestCount(), 1);

    // The aborted reply may still read its body: the body goes with it.
    http.Drop();
    QVERIFY(body);
    QTRY_VERIFY(!body);
    QVERIFY(!http.IsBusy());

    // The next upload is served as usual, and the dropped one is never reported.
    m_http->SetFault(CSimHttp::E_HF_NONE);
    QVERIFY(http.PostFile(filePath, Url("/upload_logo"), QStringLiteral("rx-3")));
    QTRY_COMPARE(status.count(), 1);
    QCOMPARE(status.at(0).at(0), QVariant(200));
}

void TestHttpConnect::oneUploadAtATime()
{
    const QString first = WriteFile(QStringLiteral("first.bmp"), "first");
    const QString second = WriteFile(QStringLiteral("second.bmp"), "second");
    HttpConnect http;
    QSignalSpy named(&http, kNamedStatus);
    m_http->SetFault(CSimHttp::E_HF_STALL);
    QVERIFY(http.PostFile(first, Url("/upload_logo"), QStringLiteral("one")));
    QVERIFY(!http.PostFile(second, Url("/upload_logo"), QStringLiteral("two")));
    QTRY_COMPARE(m_http->RequestCount(), 1);
    // Its part is read once the whole body is in.
    QTRY_VERIFY(m_http->Requests().first().complete);
    http.Abort();
    QTRY_COMPARE(named.count(), 1);
    // The answer of the first upload keeps the first upload's name.
    QCOMPARE(named.at(0).at(0).toString(), QStringLiteral("one"));
    QCOMPARE(m_http->Requests().first().fileName, first.toUtf8());
}

QTEST_GUILESS_MAIN(TestHttpConnect)
#include "tst_httpconnect.moc"
