#include "hoi_core/hoiprod.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

namespace {

// Stands in for a catalogue: marks every text of the "QObject" context, so a
// test can tell translated texts from untranslated ones.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *,
                      int) const override
    {
        if (qstrcmp(context, "QObject") != 0)
            return QString();
        return QStringLiteral("T:") + QString::fromUtf8(sourceText);
    }
};

T_VolParam Vol(quint32 mask, qint32 gain, bool phantom, qint32 level, bool mute)
{
    T_VolParam vol;
    vol.mask = mask;
    vol.gain = gain;
    vol.phantom_power = phantom;
    vol.level_control = level;
    vol.mute = mute;
    return vol;
}

} // namespace

class TestProdConv : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void audioPortWalk();
    void audioPortName2Type_data();
    void audioPortName2Type();
    void audioPortOption_data();
    void audioPortOption();
    void audioPortDisplayName_data();
    void audioPortDisplayName();
    void encParams_data();
    void encParams();
    void encParamWalk();
    void encParamOutOfRange_data();
    void encParamOutOfRange();
    void tolerantNames_data();
    void tolerantNames();
    void valueNames();
    void volParse_data();
    void volParse();
    void volParseKeepsRecordOnShortText();
    void volFreshRecordPrints();
    void parseParamLine_data();
    void parseParamLine();
    void paramValue2String_data();
    void paramValue2String();
    void paramRoundTrip_data();
    void paramRoundTrip();
    void metaTypeNames();
    void emptyRecordDefaults();

private:
    MarkingTranslator m_translator;
};

void TestProdConv::initTestCase()
{
    RegisterProdMetaTypes();
    QCoreApplication::installTranslator(&m_translator);
    QCOMPARE(QCoreApplication::translate("QObject", "x"), QStringLiteral("T:x"));
}

void TestProdConv::cleanupTestCase()
{
    QCoreApplication::removeTranslator(&m_translator);
}

void TestProdConv::audioPortWalk()
{
    QList<int> kinds;
    for (int kind = T_ProdIdInfo::FirstAudioPortType(); kind != 0;
         kind = T_ProdIdInfo::NextAudioPortType(kind))
        kinds << kind;
    QCOMPARE(kinds, QList<int>({1, 2, 3}));
    QCOMPARE(T_ProdIdInfo::NextAudioPortType(7), 0);
}

void TestProdConv::audioPortName2Type_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");

    QTest::newRow("line-in") << "line-in" << 1;
    QTest::newRow("line-out") << "line-out" << 2;
    QTest::newRow("mic") << "mic" << 3;
    QTest::newRow("capitals") << "Line-In" << 0;
    QTest::newRow("blank") << " mic" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("unknown") << "spdif" << 0;
}

void TestProdConv::audioPortName2Type()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(T_ProdIdInfo::AudioPortName2Type(name), kind);
    if (kind != 0)
        QCOMPARE(T_ProdIdInfo::AudioPortType2Name(kind), name);
}

void TestProdConv::audioPortOption_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("option");

    QTest::newRow("first line-in") << 1 << 0 << "--line-in=1";
    QTest::newRow("second line-out") << 2 << 1 << "--line-out=2";
    QTest::newRow("all mics") << 3 << -1 << "--mic=0";
    QTest::newRow("no kind 0") << 0 << 0 << "";
    QTest::newRow("no kind 4") << 4 << 0 << "";
}

void TestProdConv::audioPortOption()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QString, option);
    QCOMPARE(T_ProdIdInfo::AudioPortOption(kind, index), option);
}

void TestProdConv::audioPortDisplayName_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");

    // "T:" marks a text that went through the translator.
    QTest::newRow("line in 1") << 1 << 0 << "T:Line In 1";
    QTest::newRow("mixer in") << 1 << 3 << "T:Mixer In";
    QTest::newRow("line in 5") << 1 << 4 << "T:Line In 5";
    QTest::newRow("line in below 0") << 1 << -1 << "Line In 0";
    QTest::newRow("line out 1 untranslated") << 2 << 0 << "Line Out 1";
    QTest::newRow("line out all") << 2 << -1 << "T:Line Out";
    QTest::newRow("mic 2") << 3 << 1 << "T:Mic 2";
    QTest::newRow("all mic") << 3 << -1 << "T:All Mic";
    QTest::newRow("unknown kind") << 4 << 0 << "";
}

void TestProdConv::audioPortDisplayName()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(T_ProdIdInfo::AudioPortDisplayName(kind, index), text);
}

void TestProdConv::encParams_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasValue");

    const struct {
        int id;
        const char *name;
        bool hasValue;
    } params[] = {
        {1, "hdcp-enable", true},        {2, "enc-rc-mode", true},
        {3, "cbr-avg-bitrate", true},    {4, "vbr-max-bitrate", true},
        {5, "vbr-min-qp", true},         {6, "vbr-max-qp", true},
        {7, "fixqp-iqp", true},          {8, "fixqp-pqp", true},
        {9, "enc-gop", true},            {10, "enc-fps", true},
        {11, "transport-type", true},    {12, "suppressor-bypass", true},
        {13, "suppressor-fix", false},   {14, "suppressor-reset", false},
        {15, "low-delay", true},         {16, "png-overlay-pos-h", true},
        {17, "png-overlay-pos-v", true}, {18, "hw-dip-enable", true},
        {19, "output-dip", true},
    };
    for (const auto &p : params)
        QTest::newRow(p.name) << p.id << QString::fromLatin1(p.name) << p.hasValue;
}

void TestProdConv::encParams()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(bool, hasValue);
    QCOMPARE(T_ProdIdInfo::EncParamId2Name(id), name);
    QCOMPARE(T_ProdIdInfo::EncParamName2Id(name), id);
    QCOMPARE(T_ProdIdInfo::EncParamOption(id), "--" + name);
    QCOMPARE(T_ProdIdInfo::EncParamHasValue(id), hasValue);
}

void TestProdConv::encParamWalk()
{
    int count = 0;
    int last = 0;
    for (int id = T_ProdIdInfo::FirstAudioPortType(); id != 0; id = T_ProdIdInfo::NextEncParamId(id)) {
        ++count;
        last = id;
    }
    QCOMPARE(count, 19);
    QCOMPARE(last, 19);
}

void TestProdConv::encParamOutOfRange_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("hasValue");

    QTest::newRow("0") << 0 << false;
    QTest::newRow("20") << 20 << false;
    QTest::newRow("21") << 21 << true;
    QTest::newRow("-1") << -1 << true;
}

void TestProdConv::encParamOutOfRange()
{
    QFETCH(int, id);
    QFETCH(bool, hasValue);
    QCOMPARE(T_ProdIdInfo::EncParamId2Name(id), QString());
    QCOMPARE(T_ProdIdInfo::EncParamOption(id), QString());
    QCOMPARE(T_ProdIdInfo::EncParamHasValue(id), hasValue);
}

void TestProdConv::tolerantNames_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    QTest::newRow("fps cbr") << "fps" << " CBR " << "1";
    QTest::newRow("fps fixqp") << "fps" << "fixqp" << "2";
    QTest::newRow("fps vbr") << "fps" << "Vbr" << "0";
    QTest::newRow("fps unknown") << "fps" << "abr" << "0";
    QTest::newRow("fps empty") << "fps" << "" << "0";
    QTest::newRow("transport raw") << "transport" << " RAW " << "0";
    QTest::newRow("transport ts") << "transport" << "ts" << "1";
    QTest::newRow("transport rtp") << "transport" << "rtp" << "1";
    QTest::newRow("transport empty") << "transport" << "" << "1";
    QTest::newRow("latency high") << "latency" << " High Quality Video " << "0";
    QTest::newRow("latency low capitals") << "latency" << "Low Delay" << "1";
    QTest::newRow("latency empty") << "latency" << "" << "1";
    QTest::newRow("latency other") << "latency" << "high quality" << "1";
    QTest::newRow("input hdmi") << "input" << " HDMI" << "000";
    QTest::newRow("input cvbs") << "input" << "cvbs" << "100";
    QTest::newRow("input vga") << "input" << "VGA" << "010";
    QTest::newRow("input dvi-d") << "input" << "DVI-D\t" << "001";
    QTest::newRow("input ypbpr") << "input" << "YPbPr" << "011";
    QTest::newRow("input unknown") << "input" << "dvi" << "01";
    QTest::newRow("input empty") << "input" << "" << "01";
}

void TestProdConv::tolerantNames()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, result);

    QString got;
    if (kind == "fps")
        got = QString::number(T_ProdIdInfo::FPSName2Mode(text));
    else if (kind == "transport")
        got = QString::number(T_ProdIdInfo::TrasportName2Type(text));
    else if (kind == "latency")
        got = QString::number(T_ProdIdInfo::LatencyName2Mode(text));
    else
        got = T_ProdIdInfo::VideoInputName2Code(text);
    QCOMPARE(got, result);
}

void TestProdConv::valueNames()
{
    QCOMPARE(T_ProdIdInfo::FPSMode2Name(E_FPSM_VBR), QStringLiteral("vbr"));
    QCOMPARE(T_ProdIdInfo::FPSMode2Name(E_FPSM_FIXQP), QStringLiteral("fixqp"));
    QCOMPARE(T_ProdIdInfo::FPSMode2Name(3), QString());
    QCOMPARE(T_ProdIdInfo::TrasportType2Name(E_TT_RAW), QStringLiteral("raw"));
    QCOMPARE(T_ProdIdInfo::TrasportType2Name(E_TT_TS), QStringLiteral("ts"));
    QCOMPARE(T_ProdIdInfo::TrasportType2Name(-1), QString());
    QCOMPARE(T_ProdIdInfo::LatencyMode2Name(E_LM_HIGH_QUALITY), QStringLiteral("high quality video"));
    QCOMPARE(T_ProdIdInfo::LatencyMode2Name(E_LM_LOW_DELAY), QStringLiteral("low delay"));
    QCOMPARE(T_ProdIdInfo::LatencyMode2Name(2), QString());

    const QStringList inputs {"HDMI", "CVBS", "VGA", "DVI-D", "YPbPr"};
    for (int input = 0; input < inputs.size(); ++input)
        QCOMPARE(T_ProdIdInfo::VideoInput2Name(input), inputs.at(input));
    QCOMPARE(T_ProdIdInfo::VideoInput2Name(5), QString());
    // Every named input maps to a three-character code of its own.
    QSet<QString> codes;
    for (const QString &name : inputs)
        codes.insert(T_ProdIdInfo::VideoInputName2Code(name));
    QCOMPARE(codes.size(), 5);
}

void TestProdConv::volParse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<T_VolParam>("expected");
    QTest::addColumn<QString>("printed");

    QTest::newRow("gain and mute") << QByteArray("12 - - y") << Vol(9, 12, false, 0, true)
                                   << "12 - - y";
    QTest::newRow("all absent") << QByteArray("- - - -") << Vol(0, 0, false, 0, false)
                                << "- - - -";
    QTest::newRow("all present") << QByteArray("5 y 3 n") << Vol(15, 5, true, 3, false)
                                 << "5 y 3 n";
    QTest::newRow("negative and words") << QByteArray("-6 NO -2 YES") << Vol(15, -6, false, -2, true)
                                        << "-6 n -2 y";
    QTest::newRow("numbers from token start") << QByteArray("12dB TRUE abc 1")
                                              << Vol(15, 12, true, 0, true) << "12 y 0 y";
    QTest::newRow("no boolean word keeps field") << QByteArray("- maybe - on")
                                                 << Vol(10, 0, false, 0, false) << "- n - n";
    QTest::newRow("other blanks") << QByteArray("\t7  y\t8 n \r\n") << Vol(15, 7, true, 8, false)
                                  << "7 y 8 n";
    QTest::newRow("extra tokens ignored") << QByteArray("1 n 2 y 99") << Vol(15, 1, false, 2, true)
                                          << "1 n 2 y";
    QTest::newRow("seven characters") << QByteArray("-999999 y 1234567 n")
                                      << Vol(15, -999999, true, 1234567, false)
                                      << "-999999 y 1234567 n";
    QTest::newRow("token too long") << QByteArray("12345678 y 3 n") << Vol(0, 0, false, 0, false)
                                    << "- - - -";
    QTest::newRow("three tokens") << QByteArray("1 y 3") << Vol(0, 0, false, 0, false)
                                  << "- - - -";
    QTest::newRow("empty") << QByteArray() << Vol(0, 0, false, 0, false) << "- - - -";
}

void TestProdConv::volParse()
{
    QFETCH(QByteArray, text);
    QFETCH(T_VolParam, expected);
    QFETCH(QString, printed);

    T_VolParam vol;
    vol.Parse(text);
    QCOMPARE(vol.mask, expected.mask);
    QCOMPARE(vol.gain, expected.gain);
    QCOMPARE(vol.phantom_power, expected.phantom_power);
    QCOMPARE(vol.level_control, expected.level_control);
    QCOMPARE(vol.mute, expected.mute);
    QCOMPARE(vol.ToString(), printed);
}

void TestProdConv::volParseKeepsRecordOnShortText()
{
    T_VolParam vol = Vol(T_VolParam::MASK_GAIN | T_VolParam::MASK_MUTE, 4, false, 0, true);
    vol.Parse("1 n 2");
    QCOMPARE(vol.ToString(), QStringLiteral("4 - - y"));
    // A word that is no flag keeps what the field held.
    vol.Parse("- - - perhaps");
    QCOMPARE(vol.ToString(), QStringLiteral("4 - - y"));
}

void TestProdConv::volFreshRecordPrints()
{
    QCOMPARE(T_VolParam().ToString(), QStringLiteral("- - - -"));
}

void TestProdConv::parseParamLine_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");

    const int vol = qMetaTypeId<T_VolParam>();
    const int fps = qMetaTypeId<E_FPSMode>();
    const int transport = qMetaTypeId<E_TrasportType>();
    const int bytes = QMetaType::QByteArray;
    const QByteArray longName(64, 'a');

    QTest::newRow("audio port") << QByteArray("--line-in=2") << QByteArray("5 y 3 n") << vol << "5 y 3 n";
    QTest::newRow("audio port without number") << QByteArray("--mic") << QByteArray("- y - -") << vol << "- y - -";
    QTest::newRow("int") << QByteArray("--enc-gop") << QByteArray("30") << int(QMetaType::Int) << "30";
    QTest::newRow("int with =") << QByteArray("--enc-fps=") << QByteArray("60") << int(QMetaType::Int) << "60";
    QTest::newRow("int not a number") << QByteArray("--cbr-avg-bitrate") << QByteArray("fast") << int(QMetaType::Int) << "0";
    QTest::newRow("bool yes") << QByteArray("--hdcp-enable") << QByteArray("Yes") << int(QMetaType::Bool) << "true";
    QTest::newRow("bool y") << QByteArray("--suppressor-bypass") << QByteArray("y") << int(QMetaType::Bool) << "true";
    QTest::newRow("bool switch") << QByteArray("--suppressor-fix") << QByteArray("1") << int(QMetaType::Bool) << "true";
    QTest::newRow("bool other") << QByteArray("--hdcp-enable") << QByteArray("on") << int(QMetaType::Bool) << "false";
    QTest::newRow("rate control") << QByteArray("--enc-rc-mode") << QByteArray(" CBR") << fps << "cbr";
    QTest::newRow("rate control unknown") << QByteArray("--enc-rc-mode") << QByteArray("abr") << fps << "vbr";
    QTest::newRow("transport rtp") << QByteArray("--transport-type") << QByteArray("rtp") << transport << "ts";
    QTest::newRow("transport raw") << QByteArray("--transport-type") << QByteArray("RAW") << transport << "raw";
    QTest::newRow("byte text") << QByteArray("--low-delay") << QByteArray("1") << bytes << "1";
    QTest::newRow("byte text empty") << QByteArray("--output-dip") << QByteArray("") << bytes << "";
    QTest::newRow("unknown name untrimmed") << QByteArray("--scaler-mode") << QByteArray(" x ") << bytes << " x ";
    QTest::newRow("63-character name") << "--" + longName.left(63) << QByteArray(" x ") << bytes << " x ";
    QTest::newRow("64-character name") << "--" + longName << QByteArray(" x ") << bytes << "x";
    QTest::newRow("no dashes") << QByteArray("enc-gop") << QByteArray(" x ") << bytes << "x";
    QTest::newRow("one dash") << QByteArray("-enc-gop") << QByteArray("30") << bytes << "30";
    QTest::newRow("empty name") << QByteArray("--=3") << QByteArray(" x ") << bytes << "x";
    QTest::newRow("no name, no value") << QByteArray("hostname") << QByteArray() << int(QMetaType::UnknownType) << "";
}

void TestProdConv::parseParamLine()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(int, type);
    QFETCH(QString, text);

    const QVariant parsed = T_ProdIdInfo::ParseParamLine(key, value);
    QCOMPARE(parsed.userType(), type);
    QCOMPARE(T_ProdIdInfo::ParamValue2String(parsed), text);
}

void TestProdConv::paramValue2String_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("invalid") << QVariant() << "";
    QTest::newRow("null text") << QVariant(QString()) << "";
    QTest::newRow("true") << QVariant(true) << "true";
    QTest::newRow("false") << QVariant(false) << "false";
    QTest::newRow("int") << QVariant(-12) << "-12";
    QTest::newRow("bytes") << QVariant(QByteArray("0x1f")) << "0x1f";
    QTest::newRow("fixqp") << QVariant::fromValue(E_FPSM_FIXQP) << "fixqp";
    QTest::newRow("raw") << QVariant::fromValue(E_TT_RAW) << "raw";
    QTest::newRow("volume") << QVariant::fromValue(Vol(9, 12, false, 0, true)) << "12 - - y";
}

void TestProdConv::paramValue2String()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(T_ProdIdInfo::ParamValue2String(value), text);
}

void TestProdConv::paramRoundTrip_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("hdcp") << QByteArray("--hdcp-enable") << QByteArray("true");
    QTest::newRow("rc") << QByteArray("--enc-rc-mode") << QByteArray("fixqp");
    QTest::newRow("bitrate") << QByteArray("--vbr-max-bitrate") << QByteArray("20000");
    QTest::newRow("transport") << QByteArray("--transport-type") << QByteArray("raw");
    QTest::newRow("overlay") << QByteArray("--png-overlay-pos-h") << QByteArray("120");
    QTest::newRow("line-out") << QByteArray("--line-out=1") << QByteArray("-3 - 10 n");
}

void TestProdConv::paramRoundTrip()
{
    // What the project file writes must read back as the same value.
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    const QString text = T_ProdIdInfo::ParamValue2String(T_ProdIdInfo::ParseParamLine(key, value));
    QCOMPARE(text, QString::fromLatin1(value));
    const QVariant again = T_ProdIdInfo::ParseParamLine(key, text.toUtf8());
    QCOMPARE(T_ProdIdInfo::ParamValue2String(again), text);
}

void TestProdConv::metaTypeNames()
{
    QCOMPARE(QMetaType::type("T_VolParam"), qMetaTypeId<T_VolParam>());
    QCOMPARE(QMetaType::type("E_FPSMode"), qMetaTypeId<E_FPSMode>());
    QCOMPARE(QMetaType::type("E_TrasportType"), qMetaTypeId<E_TrasportType>());
}

void TestProdConv::emptyRecordDefaults()
{
    const T_ProdIdInfo info;
    // Where the empty record differs from the per-attribute defaults.
    QVERIFY(info.old_api);
    QVERIFY(!info.osd_enable);
    // Defaults that are on.
    QVERIFY(info.mute_enable);
    QVERIFY(info.map_dispaly_enable);
    QVERIFY(info.tx_edid_reset_enable);
    QVERIFY(info.hisi_enable);
    QVERIFY(info.jpeg_enable);
    QVERIFY(info.video_mode_set);
    QVERIFY(info.display_power);
    // A sample of those that are off; a device without a product gets none.
    QVERIFY(!info.ir_enable);
    QVERIFY(!info.rs232_enable);
    QVERIFY(!info.cec_enable);
    QVERIFY(!info.max_bitrate);
    QVERIFY(!info.edie_setting);
    QCOMPARE(info.min_gain, 6);
    QCOMPARE(info.max_gain, 24);
    QCOMPARE(info.gain_step, 6);
    QCOMPARE(info.tx_if_count, 1);
    QCOMPARE(info.tile_maxwinsnum, 0);
    QCOMPARE(info.overlay_maxwinsnum, 0);
    for (int kind = 0; kind < 4; ++kind) {
        QVERIFY(!info.vol_gain[kind]);
        QVERIFY(!info.vol_phantom_power[kind]);
        QCOMPARE(info.vol_port_count[kind], 0);
    }
    QVERIFY(info.id.isEmpty());
    QVERIFY(info.type.isEmpty());
    QVERIFY(info.tx_products.isEmpty());
    QVERIFY(info.video_wall_products.isEmpty());
}

QTEST_GUILESS_MAIN(TestProdConv)
#include "tst_prodconv.moc"
