#ifndef HOI_TELNETCOMM_H
#define HOI_TELNETCOMM_H

#include "hoi_core/basecomm.h"

#include <QAbstractSocket>

class CLinkSocket;

// The command link over a Telnet (TCP) connection to the device's shell.
class CTelnetComm : public CBaseComm
{
    Q_OBJECT

public:
    CTelnetComm(const QString &paramPrefix, const QString &hostIndex, const QString &ipAddr, quint16 port,
                QObject *parent = nullptr);
    ~CTelnetComm() override;

    bool OpenComm() override;
    bool CloseComm() override;
    bool IsConnecting() override;
    void AbortConnect() override;
    bool IsConnected() override;
    bool WaitForConnected(int msecs) override;
    bool WriteRaw(const QByteArray &data, bool bAddCRLF) override;

    void SetHostAddress(const QString &ipAddr);
    void SetPort(quint16 port);
    QString GetHostAddress() const { return m_ipAddr; }
    quint16 GetPort() const { return m_port; }

public slots:
    void slotOnConnected();
    void slotOnDisconnected();
    void slotOnReadData();
    void slotOnError(QAbstractSocket::SocketError err);

private:
    CLinkSocket *m_socket = nullptr;
    QString m_ipAddr;
    quint16 m_port = 0;

    // Set while a socket error closes the link: that error reports the
    // queued lines, the disconnection only tells the owner.
    bool m_closingOnError = false;
    // Set while a write waits for its bytes; data arriving meanwhile is read
    // after the write, once the reply checker runs.
    bool m_writing = false;
    bool m_readDeferred = false;
};

#endif // HOI_TELNETCOMM_H
