// One builder per device command form. Each fills its template in a single
// pass (so an argument holding "%2" is sent as it is) and queues the line.
#include "hoi_core/basecomm.h"

bool CBaseComm::QueueLine(const QByteArray &line)
{
    return PushSendData(line, true);
}

bool CBaseComm::ReadParam(const QString &name, int mode)
{
    QString verb;
    if (mode == 0) {
        verb = QStringLiteral("r");
    } else if (mode == 1) {
        verb = QStringLiteral("g");
    } else {
        m_paramName.clear();
        return false;
    }
    return QueueLine(QString("%1param %2 %3 %4").arg(m_paramPrefix, verb, m_hostIndex, name).toUtf8());
}

bool CBaseComm::WriteParam(const QString &name, const QString &value)
{
    return QueueLine(QString("%1param s %2 %3 %4").arg(m_paramPrefix, m_hostIndex, name, value).toUtf8());
}

bool CBaseComm::SendCmd(const QString &text)
{
    return QueueLine(text.toUtf8());
}

bool CBaseComm::SaveParam()
{
    return QueueLine(QString("%1param save %2").arg(m_paramPrefix, m_hostIndex).toLatin1());
}

bool CBaseComm::SendEvent(const QString &event)
{
    return QueueLine(QString("e %1 %2").arg(m_hostIndex, event).toLatin1());
}

bool CBaseComm::SendOsd(bool on, const QString &text)
{
    if (on)
        return QueueLine(QString("osd_on.sh %1 %2").arg(m_hostIndex, text).toLatin1());
    return QueueLine(QString("osd_off.sh %1 0").arg(m_hostIndex).toLatin1());
}

bool CBaseComm::GetValue(const QString &a, const QString &b)
{
    return QueueLine(QString("%1get %2 %3").arg(m_paramPrefix, a, b).toLatin1());
}

bool CBaseComm::GetOption(const QString &name)
{
    return QueueLine(QString("%1get %2").arg(m_paramPrefix, name).toLatin1());
}

bool CBaseComm::SendCmdLatin1(const QString &text)
{
    return QueueLine(text.toLatin1());
}

bool CBaseComm::SetOption(const QString &option, const QString &value, const QString &extra)
{
    // The extra word stands before the value.
    return QueueLine(QString("%1set -%2 %3 %4").arg(m_paramPrefix, option, extra, value).toLatin1());
}

bool CBaseComm::ShowConfig(const QString &name)
{
    return QueueLine(QString("%1 %2").arg(m_showConfigCmd, name).toLatin1());
}

bool CBaseComm::SendConfig(const QString &text)
{
    return QueueLine(QString("%1config %2").arg(m_paramPrefix, text).toLatin1());
}

bool CBaseComm::SetVideoInput(const QString &value)
{
    return QueueLine(QString("%1set -vi %2 %3").arg(m_paramPrefix, m_hostIndex, value).toLatin1());
}

bool CBaseComm::ReadTmpfsFile()
{
    return QueueLine(QString("cat /var/tmpfs/" + m_tmpfsFile).toLatin1());
}

bool CBaseComm::ReadStreamIP()
{
    return QueueLine(QByteArrayLiteral("cat /var/tmpfs/streamip"));
}

bool CBaseComm::ShowLowDelay()
{
    return QueueLine(QByteArrayLiteral("gbconfig --show --low-delay"));
}

bool CBaseComm::SetMultiView(const QString &text)
{
    return QueueLine(QString("multiview set %1").arg(text).toLatin1());
}

bool CBaseComm::SetMultiViewAudioSeparate(const QString &text)
{
    return QueueLine(QString("multiview set audio separate %1").arg(text).toLatin1());
}
