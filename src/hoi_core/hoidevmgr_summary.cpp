// The text summary of the installation, laid out with tabs for people to read.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"
#include "hoidevmgr_p.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QTextStream>

namespace {

const char* const kEol = "\r\n";

QString TypeText(const CHOIDev* pDev)
{
    switch (pDev->GetDevType()) {
    case CHOIDev::E_DT_TX:
        return QStringLiteral("TX");
    case CHOIDev::E_DT_RX:
        return QStringLiteral("RX");
    case CHOIDev::E_DT_MRX:
        return QStringLiteral("MRX");
    case CHOIDev::E_DT_WP:
        return QStringLiteral("WP");
    case CHOIDev::E_DT_GW:
        return QStringLiteral("GW");
    default:
        return QString();
    }
}

bool IsController(const CHOIDev* pDev)
{
    const QString& hostName = pDev->GetHostName();
    const int dash = hostName.lastIndexOf(QLatin1Char('-'));
    return (dash >= 0 ? hostName.left(dash) : hostName) == g_strControllerModel;
}

// "Default name(display name)".
QString DevLabel(const CHOIDev* pDev)
{
    return pDev->GetDefaultName() + QLatin1Char('(') + pDev->GetDisplayName() + QLatin1Char(')');
}

// "device settings": each RX and TX of the layout's cells.
void WriteDeviceSettings(QTextStream& out, const CHOIScene* pScene)
{
    out << "\tdevice settings:" << kEol;
    out << "\tNO.\tHostname" << "\t\t\t" << "Type" << "\t" << "Alias" << "\t\t\t" << "IP-Mode" << "\t\t"
        << "IP-Address" << "\t\t" << "Netmask" << "\t\t" << "Gateway" << kEol;

    const auto devLine = [&out](int number, const CHOIDev* pDev, const char* role) {
        out << "\t#" << number << '\t' << pDev->GetDefaultName() << "\t\t" << role << '\t'
            << pDev->GetDisplayName() << '\t' << CHOIDev::IPModeWord(pDev->GetIPMode()) << "\t\t"
            << CHOIDevMgr::PadIPAddress(pDev->GetIPAddr()) << "\t\t"
            << CHOIDevMgr::PadIPAddress(pDev->GetNetmask()) << kEol;
    };
    int number = 0;
    ForEachCell(pScene, [&](int, int, const T_SceneCell* pCell) {
        if (pCell->rx)
            devLine(++number, pCell->rx, "RX");
        for (const CHOIDev* pTx : pCell->txList) {
            if (pTx)
                devLine(++number, pTx, "TX");
        }
    });
}

// "videowall settings": a line for each cell of each wall rectangle.
void WriteVideoWallSettings(QTextStream& out, const CHOIScene* pScene)
{
    out << kEol << "\tvideowall settings:" << kEol;
    out << "\tNO.\tName" << "\t\t" << "Source(TX-Hostname)(Alias)" << "\t\t\t" << "Size" << "\t" << "Position"
        << "\t" << "RX-Hostname(Alias)" << kEol;
    int wallNumber = 0;
    for (const T_VideoWallInfo* pWall : pScene->m_videoWalls) {
        out << "\t#" << ++wallNumber;
        bool bFirst = true;
        for (int i = 0; i < pWall->row_count; ++i) {
            for (int j = 0; j < pWall->col_count; ++j) {
                const int row = pWall->pos_row + i;
                const int col = pWall->pos_col + j;
                const T_SceneCell* pCell = CellOf(pScene, row, col);
                if (!pCell)
                    continue;
                if (!bFirst)
                    out << "\t  ";
                bFirst = false;
                out << '\t' << pWall->name << "\t\t";
                for (const CHOIDev* pTx : pCell->txList) {
                    if (pTx)
                        out << DevLabel(pTx) << "\t\t";
                }
                out << pWall->row_count << 'x' << pWall->col_count << '\t' << '(' << row << ',' << col << ')'
                    << "\t\t";
                if (pCell->rx)
                    out << DevLabel(pCell->rx);
                out << kEol;
            }
        }
    }
}

// "matrix info": the RX of each cell with the TXs it shows.
void WriteMatrixInfo(QTextStream& out, const CHOIScene* pScene)
{
    out << kEol << "\tmatrix info:" << kEol;
    out << "\tNO.\tRX-Hostname(Alias)" << "\t\t\t\t\t" << "TX-Hostname(Alias)" << kEol;
    int number = 0;
    ForEachCell(pScene, [&](int, int, const T_SceneCell* pCell) {
        if (!pCell->rx && pCell->txList.isEmpty())
            return;
        out << "\t#" << ++number;
        if (pCell->rx)
            out << '\t' << DevLabel(pCell->rx) << "\t\t\t";
        else
            out << "\t\t\t\t\t\t\t\t";
        for (const CHOIDev* pTx : pCell->txList) {
            if (pTx)
                out << DevLabel(pTx) << '|';
        }
        out << kEol;
    });
}

// A table: its title and column heads, a numbered row for each entry of
// the list (a null entry keeps its number but has no row) and a blank line.
template <typename T>
void WriteTable(QTextStream& out, const char* title, const char* heads, const QList<T*>& list,
                void (*writeRow)(QTextStream&, const T*))
{
    out << title << kEol;
    out << heads << kEol;
    for (int i = 0; i < list.size(); ++i) {
        if (const T* p = list.at(i)) {
            out << "\t#" << i + 1 << '\t';
            writeRow(out, p);
            out << kEol;
        }
    }
    out << kEol;
}

void WriteDeviceRow(QTextStream& out, const CHOIDev* pDev)
{
    QString type = TypeText(pDev);
    QString defaultName = pDev->GetDefaultName();
    if (type.isEmpty()) {
        if (IsController(pDev)) {
            type = pDev->GetTypeName();
            defaultName = pDev->GetDisplayName();
        } else {
            type = QStringLiteral("Unkown");
        }
    }
    out << pDev->GetDisplayName() << "\t\t" << defaultName << "\t\t" << type << "\t\t"
        << CHOIDevMgr::PadIPAddress(pDev->GetIPAddr()) << "\t\t" << pDev->GetVersion();
}

void WriteLayoutRow(QTextStream& out, const CHOIScene* pScene)
{
    int rxTotal = 0;
    int txTotal = 0;
    for (const T_SceneCell* pCell : pScene->m_cells) {
        if (!pCell)
            continue;
        if (pCell->rx)
            ++rxTotal;
        txTotal += pCell->txList.size();
    }
    out << pScene->GetName() << "\t\t\t\t" << rxTotal << "\t\t\t\t" << txTotal;
}

void WriteLayoutBlock(QTextStream& out, const CHOIScene* pScene)
{
    out << kEol << pScene->GetName() << " Info:" << kEol;
    WriteDeviceSettings(out, pScene);
    WriteVideoWallSettings(out, pScene);
    WriteMatrixInfo(out, pScene);
}

} // namespace

QString CHOIDevMgr::PadIPAddress(const QString& addr)
{
    if (addr.isEmpty())
        return addr;
    QStringList parts = addr.split(QLatin1Char('.'));
    for (QString& part : parts)
        part = part.rightJustified(3, QLatin1Char(' '));
    return parts.join(QLatin1Char('.'));
}

bool CHOIDevMgr::ExportSceneInfoFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qDebug() << "Can't open the file!";
        return false;
    }
    QTextStream out(&file);

    out << "Date/Time:" << QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")) << kEol;
    WriteTable(out, "Devices information:", "\tNO.\tAlias\t\t\tHostName\t\t\tType\t\t\tIPAddress\t\t\tVersion",
               m_devList, WriteDeviceRow);
    WriteTable(out, "scene settings:", "\tNO.\tName\t\t\t\tRX-Total\t\t\tTX-Total", m_sceneList,
               WriteLayoutRow);
    for (const CHOIScene* pScene : qAsConst(m_sceneList)) {
        if (pScene)
            WriteLayoutBlock(out, pScene);
    }

    out.flush();
    const bool bOk = out.status() == QTextStream::Ok && file.flush() && file.error() == QFileDevice::NoError;
    file.close();
    if (!bOk) {
        qWarning() << "cannot write" << path << file.errorString();
        return false;
    }
    return true;
}
