#ifndef HOI_CORE_VWSYNCOMM_H
#define HOI_CORE_VWSYNCOMM_H

#include <QObject>
#include <QString>
#include <QUdpSocket>

// Tells the decoders of a video wall to reconnect to their stream, so that every
// screen of the wall starts in step: one multicast datagram per local network.
class CVWSynComm : public QObject
{
    Q_OBJECT
public:
    enum
    {
        E_VW_PORT = 1234,
        E_VW_READ_SIZE = 296
    };
    static const char* const s_szGroup;  // "226.1.0.0"
    static const char* const s_szPrefix; // "msg_b_reconnect "

    explicit CVWSynComm(QObject* parent = nullptr);
    ~CVWSynComm() override;

    void StartVWSync(QString i_strHostname);

public slots:
    void slotDoStartVW(QString& i_strHostname, bool bFirstCall);
    void slotOnUdpVWReady();

private:
    QUdpSocket m_udpSocket;
};

#endif // HOI_CORE_VWSYNCOMM_H
