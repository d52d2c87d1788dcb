// The virtual TX list file of a gateway: one XML file per gateway in the
// Documents folder, named by the gateway's 12-digit id.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/xmlpath.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

// Reads the records under "/ipgwconfig/ipc/item" into list. False for a
// damaged file, and with bCheckRoot for a root other than "ipgwconfig"; the
// caller then drops what was read.
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
    for (const T_IpcInfo* pInfo : qAsConst(m_listIpcInfo)) {
        xml.writeStartElement(QStringLiteral("item"));
        xml.writeAttribute(QStringLiteral("aliasname"), pInfo->aliasname);
        xml.writeAttribute(QStringLiteral("hostname"), pInfo->hostname);
        xml.writeAttribute(QStringLiteral("sn"), pInfo->sn);
        xml.writeAttribute(QStringLiteral("url"), pInfo->url);
        xml.writeAttribute(QStringLiteral("user"), pInfo->user);
        xml.writeAttribute(QStringLiteral("passwd"), pInfo->passwd);
        xml.writeAttribute(QStringLiteral("width"), pInfo->width);
        xml.writeAttribute(QStringLiteral("height"), pInfo->height);
        xml.writeAttribute(QStringLiteral("fps"), pInfo->fps);
        xml.writeAttribute(QStringLiteral("transporttype"), pInfo->transporttype);
        xml.writeAttribute(QStringLiteral("enable"), pInfo->enable);
        xml.writeAttribute(QStringLiteral("outstreamtype"), pInfo->outstreamtype);
        xml.writeAttribute(QStringLiteral("remark"), pInfo->remark);
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

    ClearIpcInfo();
    if (m_pOwner)
        m_pOwner->RemoveChildDevices(this);
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
            qWarning() << file.fileName() << "is damaged; its virtual TX are not loaded";
            qDeleteAll(list);
            continue;
        }
        for (T_IpcInfo* pInfo : qAsConst(list)) {
            pDev->m_listIpcInfo.append(pInfo);
            AddIpcDev(pInfo->aliasname, pInfo->hostname, pDev);
        }
    }
    return true;
}
