// Feeds arbitrary device output to the link's receive path, in chunks of the
// input's choosing, mixed with queued commands, closes and time-outs. Fails
// on any crash, sanitizer report or buffer that grows without bound.
#include "hoi_core/basecomm.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// A link whose every write succeeds, so nothing but the input drives it.
class FuzzComm : public CBaseComm
{
public:
    FuzzComm()
        : CBaseComm(QStringLiteral("gb"), QStringLiteral("1"))
    {
    }

    bool OpenComm() override { return true; }
    bool IsConnecting() override { return false; }
    void AbortConnect() override {}
    bool IsConnected() override { return true; }
    bool WaitForConnected(int) override { return true; }
    bool WriteRaw(const QByteArray &, bool) override
    {
        StartTimeOutChecker(m_checkerInterval);
        return true;
    }

    void Push(bool queued)
    {
        if (queued)
            ++m_pushes;
    }

    // The unfinished line stays below the limit; what is kept beside it
    // stays within one limit plus the largest chunk.
    void CheckBounded(int maxChunk) const
    {
        if (m_recvBuffer.size() >= kMaxLineLength)
            Fail("receive buffer", m_recvBuffer.size());
        if (m_lastLine.size() > kMaxLineLength + maxChunk)
            Fail("last line", m_lastLine.size());
        if (m_replyText.size() > kMaxReplyLength)
            Fail("reply under way", m_replyText.size());
        if (m_sendQueue.size() > m_pushes)
            Fail("send queue", m_sendQueue.size());
    }

private:
    [[noreturn]] static void Fail(const char *what, int size)
    {
        std::fprintf(stderr, "unbounded %s: %d bytes\n", what, size);
        std::abort();
    }

    int m_pushes = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static int appArgc = *argc;
    static QCoreApplication app(appArgc, *argv);
    // The link logs every chunk; that is noise here.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzComm comm;
    int maxChunk = 0;
    size_t pos = 0;
    while (pos < size) {
        const uint8_t ctl = data[pos++];
        if (ctl >= 0xF0) {
            switch (ctl & 0x0F) {
            case 0: comm.Push(comm.ReadParam(QStringLiteral("name"), 1)); break;
            case 1: comm.Push(comm.SendCmd(QStringLiteral("reboot"))); break;
            case 2: comm.Push(comm.SendCmd(QStringLiteral("ls > /dev/null; echo $?"))); break;
            case 3: comm.Push(comm.GetValue(QStringLiteral("fvo"), QStringLiteral("VGA"))); break;
            case 4: comm.Push(comm.ShowConfig(QStringLiteral("--hdcp-enable"))); break;
            case 5: comm.Push(comm.SendCmdLatin1(QStringLiteral("cat /etc/version"))); break;
            case 6: comm.Push(comm.PushSendData(QByteArray(), true)); break;
            case 7: comm.slotOnCheckerTimeOut(); break;
            case 8: comm.CloseComm(); break;
            case 9: comm.ClearSendQueue(); break;
            default: comm.Push(comm.SendEvent(QStringLiteral("e_stop_link"))); break;
            }
            comm.CheckBounded(maxChunk);
            continue;
        }
        // 0xEF takes the rest of the input as one chunk.
        const size_t len = ctl == 0xEF ? size - pos : std::min<size_t>(size_t(ctl) + 1, size - pos);
        const QByteArray chunk(reinterpret_cast<const char *>(data + pos), int(len));
        pos += len;
        maxChunk = std::max(maxChunk, int(len));
        comm.OnReceiveData(chunk);
        comm.CheckBounded(maxChunk);
    }
    return 0;
}
