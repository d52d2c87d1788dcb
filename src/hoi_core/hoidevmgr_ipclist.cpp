// The virtual TX list file of a gateway: one XML file per gateway in the
// Documents folder, named by the gateway's 12-digit id.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/xmlpath.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

// Reads the records under "/ipgwconfig/ipc/item" into list. False for a
// damaged file, with the records before the damage in list, and with
// bCheckRoot for a root other than "ipgwconfig". A record whose host name
// has not the form of one is left out; one without a host name stays, it
// gets one in the list window.
bool ReadIpcList(QIODevice* pFile, bool bCheckRoot, QList<T_IpcInfo*>& list)
{
    QXmlStreamReader xml(pFile);
    QString elementPath;
    int depth = 0;
    while (ReadToStartElement(xml, elementPath, depth)) {
        if (depth == 1 && bCheckRoot && elementPath != QLatin1String("/ipgwconfig"))
            return false;
        if (elementPath != QLatin1String("/ipgwconfig/ipc/item"))
            continue;
        const QXmlStreamAttributes attrs = xml.attributes();
        const auto text = [&attrs](const char* name) { return attrs.value(QLatin1String(name)).toString(); };
        if (!text("hostname").isEmpty() && !CHOIDev::IsValidHostName(text("hostname"))) {
            qWarning() << "virtual TX with the host name" << text("hostname") << "left out";
            continue;
        }
        T_IpcInfo* pInfo = new T_IpcInfo;
        pInfo->aliasname = text("aliasname");
        pInfo->hostname = text("hostname");
        pInfo->sn = text("sn");
        pInfo->url = text("url");
        pInfo->user = text("user");
        pInfo->passwd = text("passwd");
        pInfo->width = text("width");
        pInfo->height = text("height");
        pInfo->fps = text("fps");
        pInfo->transporttype = text("transporttype");
        pInfo->enable = text("enable");
        pInfo->outstreamtype = text("outstreamtype");
        pInfo->remark = text("remark");
        list.append(pInfo);
    }
    return !xml.hasError();
}

} // namespace

bool CHOIDev::SaveIpcConfig(const QString& strPath)
{
    // The old list stays in place until the new one is complete.
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "cannot write" << strPath << file.errorString();
        return false;
    }
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("ipgwconfig"));
    xml.writeAttribute(QStringLiteral("ver"), QStringLiteral("1.0"));
    xml.writeAttribute(QStringLiteral("custom_multicast_ip"), QStringLiteral("0"));
    xml.writeStartElement(QStringLiteral("ipc"));
    const auto attr = [&xml](const char* name, const QString& value) {
        xml.writeAttribute(QLatin1String(name), XmlText(value));
    };
    for (const T_IpcInfo* pInfo : qAsConst(m_listIpcInfo)) {
        xml.writeStartElement(QStringLiteral("item"));
        attr("aliasname", pInfo->aliasname);
        attr("hostname", pInfo->hostname);
        attr("sn", pInfo->sn);
        attr("url", pInfo->url);
        attr("user", pInfo->user);
        attr("passwd", pInfo->passwd);
        attr("width", pInfo->width);
        attr("height", pInfo->height);
        attr("fps", pInfo->fps);
        attr("transporttype", pInfo->transporttype);
        attr("enable", pInfo->enable);
        attr("outstreamtype", pInfo->outstreamtype);
        attr("remark", pInfo->remark);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    // QSaveFile::commit() does not see a failure of its own final flush; an
    // uncommitted file is discarded and the old one stays.
    if (xml.hasError() || !file.flush() || !file.commit()) {
        qWarning() << "cannot write" << strPath << file.errorString();
        return false;
    }
    return true;
}

bool CHOIDev::LoadIpcConfigFile(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "cannot read" << strPath << file.errorString();
        return false;
    }
    // Read and checked aside first: a bad file leaves the current list and
    // its virtual TX devices as they are.
    QList<T_IpcInfo*> list;
    if (!ReadIpcList(&file, true, list)) {
        qWarning() << strPath << "is no virtual TX list or is damaged";
        qDeleteAll(list);
        return false;
    }

    // Devices of host names that come back are updated in place: a decoder
    // showing one keeps its source. Only the others go.
    QSet<QString> kept;
    for (const T_IpcInfo* pInfo : qAsConst(list))
        kept.insert(pInfo->hostname);
    ClearIpcInfo();
    if (m_pOwner)
        m_pOwner->RemoveChildDevices(this, kept);
    for (T_IpcInfo* pInfo : qAsConst(list)) {
        m_listIpcInfo.append(pInfo);
        if (m_pOwner)
            m_pOwner->AddIpcDev(pInfo->aliasname, pInfo->hostname, this);
    }
    return true;
}

bool CHOIDevMgr::LoadIpcConfig()
{
    const QList<CHOIDev*> devs = m_devList;
    for (CHOIDev* pDev : devs) {
        if (!pDev || pDev->GetDevType() != CHOIDev::E_DT_GW || pDev->GetMacId().isEmpty())
            continue;
        QFile file(DocumentsDir() + pDev->GetMacId() + QStringLiteral(".xml"));
        if (!file.exists() || !file.open(QIODevice::ReadOnly))
            continue;
        QList<T_IpcInfo*> list;
        if (!ReadIpcList(&file, false, list)) {
            // The first save will replace the file with what was read: the
            // records after the damage, which the operator never saw, are
            // kept beside it.
            file.close();
            const QString backup = file.fileName() + QStringLiteral(".bak");
            QFile::remove(backup);
            const bool bKept = QFile::copy(file.fileName(), backup);
            qWarning() << file.fileName() << "is damaged;" << list.size() << "virtual TX read before the damage;"
                       << (bKept ? "the file is kept as" : "cannot keep the file as") << backup;
        }
        for (T_IpcInfo* pInfo : qAsConst(list)) {
            pDev->m_listIpcInfo.append(pInfo);
            AddIpcDev(pInfo->aliasname, pInfo->hostname, pDev);
        }
    }
    return true;
}
