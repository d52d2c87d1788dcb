// The built-in shell of the simulated device: the command forms the console
// sends, answered from the device's state.
#include "simdevice.h"

#include <QRegularExpression>

namespace {

// What the tools print for a name they do not know.
void failNotDefined(SimCommand &cmd, const QByteArray &name)
{
    cmd.print('"' + name + "\" not defined");
    cmd.status = 1;
}

// Everything after the first n words (blanks between later words kept).
QByteArray afterWords(const QByteArray &line, int n)
{
    int at = 0;
    for (int i = 0; i < n; ++i) {
        const int blank = line.indexOf(' ', at);
        if (blank < 0)
            return QByteArray();
        at = blank + 1;
    }
    return line.mid(at);
}

// An audio port record as the config tool prints it: gain, phantom power,
// level control and mute, "-" for what was never set.
QByteArray updatePort(const QByteArray &record, const QList<QByteArray> &settings)
{
    QList<QByteArray> fields = record.split(' ');
    while (fields.size() < 4)
        fields.append("-");
    static const char *const names[] = { "--gain=", "--phantom-power=", "--level-control=", "--mute=" };
    for (const QByteArray &s : settings) {
        for (int i = 0; i < 4; ++i) {
            if (s.startsWith(names[i]))
                fields[i] = s.mid(int(qstrlen(names[i])));
        }
    }
    return fields.mid(0, 4).join(' ');
}

const QRegularExpression &portKey()
{
    static const QRegularExpression re(QStringLiteral("^--(line-in|line-out|mic)=-?\\d+$"));
    return re;
}

} // namespace

bool SimDevice::runBuiltinCommand(SimCommand &cmd)
{
    const QByteArray line = cmd.line;
    const QByteArray text = line.trimmed();
    const QList<QByteArray> words = cmd.words();
    const QByteArray first = text.split(' ').value(0);
    const QByteArray prefix = m_paramPrefix.toUtf8();

    if (text.isEmpty())
        return true;

    // Fixed pipelines the console reads network settings with.
    if (text == "ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'") {
        cmd.print(param("netmask"));
        return true;
    }
    if (text == "route -n | grep UG | awk '{print $2}'") {
        const QString gw = param("gatewayip");
        if (!gw.isEmpty() && gw != QLatin1String("0.0.0.0"))
            cmd.print(gw);
        return true;
    }
    if (text == "gbconfig --help | grep sinkpower-mode |wc -l") {
        cmd.print(QByteArray("1"));
        return true;
    }

    if (first == prefix + "param") {
        const QByteArray verb = words.value(1);
        if (verb == "g" || verb == "r") {
            // "<p>param g <index> <name>"; an empty index leaves two blanks.
            const QByteArray name = words.size() > 3 ? afterWords(line, 3).trimmed() : words.value(2);
            if (hasParam(QString::fromUtf8(name)))
                cmd.print(param(QString::fromUtf8(name)));
            else
                failNotDefined(cmd, name);
            return true;
        }
        if (verb == "s") {
            const QByteArray name = words.value(3);
            if (name.isEmpty()) {
                cmd.print(QByteArray("usage: param s <index> <name> <value>"));
                cmd.status = 1;
                return true;
            }
            setParam(QString::fromUtf8(name), QString::fromUtf8(afterWords(line, 4)));
            return true;
        }
        if (verb == "save") {
            countSave();
            return true;
        }
        cmd.print(QByteArray("usage: param g|r|s|save"));
        cmd.status = 1;
        return true;
    }

    if (first == prefix + "get") {
        const QByteArray name = afterWords(text, 1).trimmed();
        if (hasOption(QString::fromUtf8(name)))
            cmd.print(option(QString::fromUtf8(name)));
        else
            failNotDefined(cmd, name);
        return true;
    }

    if (first == prefix + "set") {
        const QByteArray opt = words.value(1);
        if (!opt.startsWith('-') || opt.size() < 2) {
            cmd.print(QByteArray("usage: set -<option> <value>"));
            cmd.status = 1;
            return true;
        }
        setOption(QString::fromUtf8(opt.mid(1)), QString::fromUtf8(afterWords(line, 2).trimmed()));
        return true;
    }

    if (first == prefix + "config") {
        const QList<QByteArray> args = afterWords(text, 1).split(' ');
        if (args.value(0) == "--show") {
            QByteArray name = afterWords(text, 2).trimmed();
            if (!hasConfig(QString::fromUtf8(name)) && name.startsWith("--show "))
                name = name.mid(7).trimmed();
            const QList<QByteArray> parts = name.split(' ');
            if (hasConfig(QString::fromUtf8(name))) {
                cmd.print(config(QString::fromUtf8(name)));
            } else if (parts.size() == 2 && portKey().match(QString::fromUtf8(parts.at(0))).hasMatch()
                       && hasConfig(QString::fromUtf8(parts.at(0)))) {
                // One field of an audio port, "--line-out=1 --mute".
                static const char *const names[] = { "--gain", "--phantom-power", "--level-control", "--mute" };
                const QList<QByteArray> fields = config(QString::fromUtf8(parts.at(0))).toUtf8().split(' ');
                for (int i = 0; i < 4; ++i) {
                    if (parts.at(1) == names[i])
                        cmd.print(fields.value(i));
                }
            } else {
                failNotDefined(cmd, name);
            }
            return true;
        }
        if (args.value(0) == "-s" && args.value(1) == "-l") {
            cmd.print(config("--low-delay"));
            return true;
        }
        if (!args.isEmpty() && portKey().match(QString::fromUtf8(args.at(0))).hasMatch()) {
            const QString key = QString::fromUtf8(args.at(0));
            setConfig(key, QString::fromUtf8(updatePort(config(key).toUtf8(), args.mid(1))));
            return true;
        }
        for (int i = 0; i < args.size(); ++i) {
            const QByteArray &a = args.at(i);
            if (!a.startsWith("--"))
                continue;
            const int eq = a.indexOf('=');
            if (eq > 0) {
                setConfig(QString::fromUtf8(a.left(eq)), QString::fromUtf8(a.mid(eq + 1)));
            } else if (i + 1 < args.size() && !args.at(i + 1).startsWith("--")) {
                setConfig(QString::fromUtf8(a), QString::fromUtf8(args.at(i + 1)));
                ++i;
            } else {
                setConfig(QString::fromUtf8(a), QString());
            }
        }
        return true;
    }

    if (first == "cat") {
        const QByteArray path = words.value(1);
        if (text.contains('>')) // copying a file somewhere: silent
            return true;
        if (path == "/etc/version") {
            cmd.print(m_version);
            return true;
        }
        if (path.startsWith("/var/tmpfs/") && m_files.contains(QString::fromUtf8(path.mid(11)))) {
            cmd.print(m_files.value(QString::fromUtf8(path.mid(11))));
            return true;
        }
        cmd.print("cat: can't open '" + path + "': No such file or directory");
        cmd.status = 1;
        return true;
    }

    if (first == "multiview") {
        if (words.value(1) == "get") {
            cmd.print("multiview " + m_multiView.toUtf8() + ' ');
        } else if (text.startsWith("multiview set audio separate ")) {
            m_multiViewAudio = QString::fromUtf8(afterWords(text, 4));
        } else if (words.value(1) == "set") {
            m_multiView = QString::fromUtf8(afterWords(text, 2));
        } else {
            cmd.print(QByteArray("usage: multiview get|set"));
            cmd.status = 1;
        }
        return true;
    }

    if (first == "e") {
        // "e <index> <event>", or "e <event>" on the old command set.
        addEvent(afterWords(text, 1).trimmed());
        return true;
    }

    if (first == "nodelist") {
        cmd.print(QByteArray(">>>>>"));
        for (const SimNode &n : qAsConst(m_nodes))
            cmd.print(n.ipAddr + '\t' + n.hostName + '\t' + n.status);
        cmd.print(QByteArray("<<<<<"));
        return true;
    }

    if (first == "echo") {
        cmd.print(afterWords(text, 1));
        return true;
    }

    if (text == "reboot") {
        cmd.print(QByteArray("The system is going down NOW!"));
        cmd.prompt = false;
        cmd.dropConnection = true;
        return true;
    }
    if (text == "(sleep 1; reboot) &") {
        cmd.dropConnection = true;
        cmd.dropDelayMs = 1000;
        return true;
    }
    if (text == "reset_to_default.sh") {
        resetToDefaults();
        return true;
    }

    // Tools that do their work without printing anything.
    static const char *const quiet[] = { "osd_on.sh", "osd_off.sh", "soip2", "if", "true" };
    for (const char *q : quiet) {
        if (first == q)
            return true;
    }
    return false;
}
