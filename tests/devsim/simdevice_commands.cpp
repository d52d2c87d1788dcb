// The device object's commands as a simulated device answers them.
#include "simdevice_commands.h"

#include <QVariant>

namespace {

const char kSerialProperty[] = "simSerialMessages";
const char kOsdProperty[] = "simOsdText";

void appendSerial(SimDevice &dev, const QByteArray &msg)
{
    QVariantList list = dev.property(kSerialProperty).toList();
    list.append(msg);
    dev.setProperty(kSerialProperty, list);
}

QByteArray controllerKey(int set, const char *field)
{
    return QByteArray(set == 2 ? "qn714_2_" : "qn714_1_") + field;
}

// "config get ..." and "config set ..." of the IP controller, which has no
// parameter prefix.
bool runControllerCommand(SimDevice &dev, SimCommand &cmd)
{
    const QList<QByteArray> w = SimShellWords(cmd.line.trimmed());
    if (w.value(0) != "config")
        return false;
    const auto p = [&dev](const QByteArray &key) { return dev.param(QString::fromUtf8(key)).toUtf8(); };
    if (w.value(1) == "get") {
        const QByteArray what = w.value(2);
        if (what == "ipsetting" || what == "ipsetting2") {
            const int set = what == "ipsetting2" ? 2 : 1;
            cmd.print(what + " is:ip4addr " + p(controllerKey(set, "addr")) + " netmask "
                      + p(controllerKey(set, "mask")) + " gateway " + p(controllerKey(set, "gw")));
            return true;
        }
        if (what == "version") {
            cmd.print("API version: " + p("qn714_api"));
            cmd.print("System version: " + p("qn714_system"));
            return true;
        }
        cmd.print("config: unknown setting '" + what + "'");
        cmd.status = 1;
        return true;
    }
    if (w.value(1) == "set") {
        const QByteArray what = w.value(2);
        if (what == "reboot") {
            cmd.print(QByteArray("rebooting"));
            cmd.dropConnection = true;
            return true;
        }
        if ((what == "ip4addr" || what == "ip4addr2") && w.size() == 8 && w.at(4) == "netmask"
            && w.at(6) == "gateway") {
            SimSetControllerAddress(dev, what == "ip4addr2" ? 2 : 1, w.at(3), w.at(5), w.at(7));
            return true;
        }
        cmd.print(QByteArray("usage: config set ip4addr|ip4addr2 <addr> netmask <mask> gateway <gw>"));
        cmd.status = 1;
        return true;
    }
    return false;
}

// One command of the guarded sink-power line.
void runSinkPowerCommand(SimDevice &dev, const QByteArray &command)
{
    const QList<QByteArray> w = SimShellWords(command.trimmed());
    if (w.value(0) == "gbconfig" && w.size() == 3 && w.at(1).startsWith("--"))
        dev.setConfig(QString::fromUtf8(w.at(1)), QString::fromUtf8(w.at(2)));
    else if (w.value(0) == "gbparam" && w.value(1) == "s" && w.size() == 4)
        dev.setParam(QString::fromUtf8(w.at(2)), QString::fromUtf8(w.at(3)));
}

bool runDeviceCommand(SimDevice &dev, SimCommand &cmd)
{
    const QByteArray text = cmd.line.trimmed();
    const QByteArray prefix = dev.paramPrefix().toUtf8();

    if (text.startsWith("soip2 ")) {
        bool ok = false;
        const QList<QByteArray> w = SimShellWords(text, &ok);
        const int at = w.indexOf("-s");
        if (!ok || at < 0 || at + 1 >= w.size()) {
            cmd.print(QByteArray("soip2: bad arguments"));
            cmd.status = 1;
            return true;
        }
        appendSerial(dev, w.at(at + 1));
        return true;
    }
    if (text.startsWith("osd_on.sh ") || text.startsWith("osd_off.sh ")) {
        bool ok = false;
        const QList<QByteArray> w = SimShellWords(text, &ok);
        if (!ok) {
            cmd.print(QByteArray("sh: syntax error: unterminated quoted string"));
            cmd.status = 2;
            return true;
        }
        // The script's arguments after the index, one by one.
        QVariantList words;
        if (w.value(0) == "osd_on.sh") {
            for (const QByteArray &word : w.mid(2))
                words.append(word);
        }
        dev.setProperty(kOsdProperty, words);
        return true;
    }
    if (text.startsWith(prefix + "config --enc-backup-info=")) {
        bool ok = false;
        const QList<QByteArray> w = SimShellWords(text, &ok);
        if (!ok || w.size() != 2) {
            cmd.print(QByteArray("gbconfig: bad arguments"));
            cmd.status = 1;
            return true;
        }
        dev.setConfig(QStringLiteral("--enc-backup-info"), QString::fromUtf8(w.at(1).mid(18)));
        return true;
    }
    if (text.startsWith("if [ ")) {
        // if [ "<probe>" != "0" ]; then <commands>; fi
        const int then = text.indexOf("; then ");
        if (then < 0 || !text.endsWith("; fi")) {
            cmd.print(QByteArray("sh: syntax error"));
            cmd.status = 2;
            return true;
        }
        const QByteArray body = text.mid(then + 7, text.size() - 4 - (then + 7));
        for (const QByteArray &c : SimShellCommands(body))
            runSinkPowerCommand(dev, c);
        return true;
    }
    if (dev.devType() == QLatin1String("QN714"))
        return runControllerCommand(dev, cmd);
    return false;
}

} // namespace

QList<QByteArray> SimShellWords(const QByteArray &line, bool *ok)
{
    QList<QByteArray> words;
    QByteArray word;
    bool inWord = false;
    enum { Plain, Single, Double } mode = Plain;
    for (int i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        switch (mode) {
        case Plain:
            if (c == ' ' || c == '\t') {
                if (inWord)
                    words.append(word);
                word.clear();
                inWord = false;
            } else if (c == '\'') {
                mode = Single;
                inWord = true;
            } else if (c == '"') {
                mode = Double;
                inWord = true;
            } else if (c == '\\' && i + 1 < line.size()) {
                word += line.at(++i);
                inWord = true;
            } else {
                word += c;
                inWord = true;
            }
            break;
        case Single:
            if (c == '\'')
                mode = Plain;
            else
                word += c;
            break;
        case Double:
            if (c == '"') {
                mode = Plain;
            } else if (c == '\\' && i + 1 < line.size()
                       && QByteArray("\\\"$`\n").contains(line.at(i + 1))) {
                word += line.at(++i);
            } else {
                word += c;
            }
            break;
        }
    }
    if (inWord)
        words.append(word);
    if (ok)
        *ok = (mode == Plain);
    return words;
}

QList<QByteArray> SimShellCommands(const QByteArray &line)
{
    QList<QByteArray> commands;
    QByteArray current;
    enum { Plain, Single, Double } mode = Plain;
    for (int i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (mode == Plain && c == ';') {
            commands.append(current);
            current.clear();
            continue;
        }
        current += c;
        if (c == '\\' && mode != Single && i + 1 < line.size()) {
            current += line.at(++i);
            continue;
        }
        if (mode == Plain && c == '\'')
            mode = Single;
        else if (mode == Plain && c == '"')
            mode = Double;
        else if ((mode == Single && c == '\'') || (mode == Double && c == '"'))
            mode = Plain;
    }
    commands.append(current);
    return commands;
}

void SimSetVersion(SimDevice &dev, const QByteArray &version, bool hisi)
{
    if (hisi)
        dev.setVersion("Hi3531D Linux 4.9.37\r\n" + version + "\r\nbuild 20240101");
    else
        dev.setVersion("Linux 4.9.37 (simulated)\r\nBuild 20240101\r\n" + version);
}

QList<QByteArray> SimSerialMessages(const SimDevice &dev)
{
    QList<QByteArray> out;
    const QVariantList list = dev.property(kSerialProperty).toList();
    for (const QVariant &v : list)
        out.append(v.toByteArray());
    return out;
}

QList<QByteArray> SimOsdWords(const SimDevice &dev)
{
    QList<QByteArray> words;
    for (const QVariant &v : dev.property(kOsdProperty).toList())
        words.append(v.toByteArray());
    return words;
}

QByteArray SimOsdText(const SimDevice &dev)
{
    return SimOsdWords(dev).join(' ');
}

void SimSetControllerAddress(SimDevice &dev, int set, const QByteArray &addr,
                             const QByteArray &mask, const QByteArray &gateway)
{
    dev.setParam(QString::fromUtf8(controllerKey(set, "addr")), QString::fromUtf8(addr));
    dev.setParam(QString::fromUtf8(controllerKey(set, "mask")), QString::fromUtf8(mask));
    dev.setParam(QString::fromUtf8(controllerKey(set, "gw")), QString::fromUtf8(gateway));
}

void SimSetControllerVersion(SimDevice &dev, const QByteArray &api, const QByteArray &system)
{
    dev.setParam(QStringLiteral("qn714_api"), QString::fromUtf8(api));
    dev.setParam(QStringLiteral("qn714_system"), QString::fromUtf8(system));
}

void SimInstallDeviceCommands(SimDevice &dev)
{
    const QString type = dev.devType();
    // A device that was never named reports its host name.
    dev.setParam(QStringLiteral("name"), dev.hostName());
    dev.setParam(QStringLiteral("scene"), QStringLiteral("0"));

    if (type == QLatin1String("QN714")) {
        dev.setParamPrefix(QString());
        SimSetControllerAddress(dev, 1, dev.param(QStringLiteral("ipaddr")).toUtf8(), "255.255.0.0",
                                "10.88.0.1");
        SimSetControllerAddress(dev, 2, "192.168.10.5", "255.255.255.0", "192.168.10.1");
        SimSetControllerVersion(dev, "1.0.7", "2.3.1");
    }

    // Screen position in a layout grid and the video-wall settings.
    const QList<QPair<const char *, const char *>> wall = {
        { "s_row", "0" },           { "s_col", "0" },           { "en_video_wall", "n" },
        { "s_vw_name", "" },        { "s_vw_mode", "0" },       { "s_vw_pos_row", "0" },
        { "s_vw_pos_col", "0" },    { "s_vw_row_count", "1" },  { "s_vw_col_count", "1" },
        { "s_vw_row", "0" },        { "vw_moninfo_ha", "1920" }, { "vw_moninfo_ht", "2200" },
        { "vw_moninfo_va", "1080" }, { "vw_moninfo_vt", "1125" }, { "vw_h_shift", "0" },
        { "vw_v_shift", "0" },      { "vw_h_scale", "0" },      { "vw_v_scale", "0" },
        { "vw_delay_kick", "0" },
    };
    for (const auto &kv : wall)
        dev.setParam(QString::fromLatin1(kv.first), QString::fromLatin1(kv.second));

    // Encoder, audio and display options of the configuration tool.
    const QList<QPair<const char *, const char *>> configs = {
        { "--enc-rc-mode", "cbr" },         { "--cbr-avg-bitrate", "8000" },
        { "--vbr-max-bitrate", "12000" },   { "--vbr-min-qp", "20" },
        { "--vbr-max-qp", "40" },           { "--fixqp-iqp", "30" },
        { "--fixqp-pqp", "32" },            { "--enc-gop", "30" },
        { "--enc-fps", "60" },              { "--transport-type", "ts" },
        { "--suppressor-bypass", "n" },     { "--line-in=1", "12 n - n" },
        { "--line-in=2", "6 n - n" },       { "--line-out=1", "- - 3 n" },
        { "--line-out=2", "- - 3 y" },      { "--mic=0", "18 y - n" },
        { "--mic=1", "18 y - n" },          { "--mic=2", "24 n - y" },
        { "--delay-play", "0" },            { "--audio-delay", "0" },
        { "--background-image-display", "n" }, { "--png-overlay-enable", "n" },
        { "--osd-display", "y" },           { "--osd-display-method", "follow" },
        { "--hdmi-out-audio", "- - - n" },
    };
    for (const auto &kv : configs)
        dev.setConfig(QString::fromLatin1(kv.first), QString::fromLatin1(kv.second));

    if (type == QLatin1String("MRX")) {
        dev.setMultiView(dev.hostName().section(QLatin1Char('-'), 0, 0)
                         + QStringLiteral(" 4 1:HTX-000000000001 2:HTX-000000000002"));
        dev.setParam(QStringLiteral("user_audio_mode"), QStringLiteral("quad window 1"));
    }
    if (type == QLatin1String("TX") || type == QLatin1String("GW"))
        dev.setFile(QStringLiteral("streamip"),
                    "video IP address: 225.0.1.2\r\naudio IP address: 225.0.1.3");

    dev.addCommandHandler(runDeviceCommand);
}
