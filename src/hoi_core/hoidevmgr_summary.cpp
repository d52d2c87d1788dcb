// The text summary of the installation, laid out with tabs for people to read.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"

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

const T_SceneCell* CellOf(const CHOIScene* pScene, int row, int col)
{
    if (row < 0 || col < 0 || row >= pScene->m_nRowCount || col >= pScene->m_nColCount)
        return nullptr;
    const int index = row * pScene->m_nColCount + col;
    return index < pScene->m_cells.size() ? pScene->m_cells.at(index) : nullptr;
}

void WriteLayoutBlock(QTextStream& out, const CHOIScene* pScene)
{
    out << kEol << pScene->GetName() << " Info:" << kEol << "\tdevice settings:" << kEol;
    out << "\tNO.\tHostname" << "\t\t\t" << "Type" << "\t" << "Alias" << "\t\t\t" << "IP-Mode" << "\t\t"
        << "IP-Address" << "\t\t" << "Netmask" << "\t\t" << "Gateway" << kEol;

    const auto devLine = [&out](int number, const CHOIDev* pDev, const char* role) {
        out << "\t#" << number << '\t' << pDev->GetDefaultName() << "\t\t" << role << '\t'
            << pDev->GetDisplayName() << '\t' << CHOIDev::IPModeWord(pDev->GetIPMode()) << "\t\t"
            << CHOIDevMgr::PadIPAddress(pDev->GetIPAddr()) << "\t\t"
            << CHOIDevMgr::PadIPAddress(pDev->GetNetmask()) << kEol;
    };
    int number = 0;
    for (int r = 0; r < pScene->m_nRowCount; ++r) {
        for (int c = 0; c < pScene->m_nColCount; ++c) {
            const T_SceneCell* pCell = CellOf(pScene, r, c);
            if (!pCell)
                continue;
            if (pCell->rx)
                devLine(++number, pCell->rx, "RX");
            for (const CHOIDev* pTx : pCell->txList) {
                if (pTx)
                    devLine(++number, pTx, "TX");
            }
        }
    }

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

    out << kEol << "\tmatrix info:" << kEol;
    out << "\tNO.\tRX-Hostname(Alias)" << "\t\t\t\t\t" << "TX-Hostname(Alias)" << kEol;
    number = 0;
    for (int r = 0; r < pScene->m_nRowCount; ++r) {
        for (int c = 0; c < pScene->m_nColCount; ++c) {
            const T_SceneCell* pCell = CellOf(pScene, r, c);
            if (!pCell || (!pCell->rx && pCell->txList.isEmpty()))
                continue;
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
        }
    }
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
    out << "Devices information:" << kEol;
    out << "\tNO.\tAlias\t\t\tHostName\t\t\tType\t\t\tIPAddress\t\t\tVersion" << kEol;
    for (int i = 0; i < m_devList.size(); ++i) {
        const CHOIDev* pDev = m_devList.at(i);
        if (!pDev)
            continue;
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
        out << "\t#" << i + 1 << '\t' << pDev->GetDisplayName() << "\t\t" << defaultName << "\t\t" << type
            << "\t\t" << PadIPAddress(pDev->GetIPAddr()) << "\t\t" << pDev->GetVersion() << kEol;
    }
    out << kEol;

    out << "scene settings:" << kEol;
    out << "\tNO.\tName\t\t\t\tRX-Total\t\t\tTX-Total" << kEol;
    for (int i = 0; i < m_sceneList.size(); ++i) {
        const CHOIScene* pScene = m_sceneList.at(i);
        if (!pScene)
            continue;
        int rxTotal = 0;
        int txTotal = 0;
        for (const T_SceneCell* pCell : pScene->m_cells) {
            if (!pCell)
                continue;
            if (pCell->rx)
                ++rxTotal;
            txTotal += pCell->txList.size();
        }
        out << "\t#" << i + 1 << '\t' << pScene->GetName() << "\t\t\t\t" << rxTotal << "\t\t\t\t" << txTotal
            << kEol;
    }
    out << kEol;

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
