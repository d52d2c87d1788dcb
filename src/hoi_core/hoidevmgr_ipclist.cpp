// The virtual TX list file of a gateway: one XML file per gateway in the
// Documents folder, named by the gateway's 12-digit id.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/xmlpath.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

// The attributes of an "item" record, in the order they are written.
const T_XmlField<T_IpcInfo, QString> kIpcFields[] = {
    {"aliasname", &T_IpcInfo::aliasname},
    {"hostname", &T_IpcInfo::hostname},
    {"sn", &T_IpcInfo::sn},
    {"url", &T_IpcInfo::url},
    {"user", &T_IpcInfo::user},
    {"passwd", &T_IpcInfo::passwd},
    {"width", &T_IpcInfo::width},
    {"height", &T_IpcInfo::height},
    {"fps", &T_IpcInfo::fps},
    {"transporttype", &T_IpcInfo::transporttype},
    {"enable", &T_IpcInfo::enable},
    {"outstreamtype", &T_IpcInfo::outstreamtype},
    {"remark", &T_IpcInfo::remark},
};

// Reads the records under "/ipgwconfig/ipc/item" into list. False for a
// damaged file, with the records before the damage in list, and with
// bCheckRoot for a root other than "ipgwconfig". Every record is kept, so a
// save writes back what was read; those that cannot stand as devices are
// left out of the device list when they are entered.
bool ReadIpcList(QIODevice* pFile, bool bCheckRoot, QList<T_IpcInfo*>& list)
{
    QXmlStreamReader xml(pFile);
    const QString root = bCheckRoot ? QStringLiteral("/ipgwconfig") : QString();
    const auto onElement = [&list](const QString& elementPath, const QXmlStreamAttributes& attrs) {
        if (elementPath != QLatin1String("/ipgwconfig/ipc/item"))
            return;
        T_IpcInfo* pInfo = new T_IpcInfo;
        for (const auto& field : kIpcFields)
            pInfo->*field.member = attrs.value(QLatin1String(field.name)).toString();
        list.append(pInfo);
    };
    return ReadXmlPaths(xml, root, onElement) && !xml.hasError();
}

} // namespace

bool CHOIDev::SaveIpcConfig(const QString& strPath)
{
    return SaveXmlFile(strPath, QStringLiteral("ipgwconfig"), [this](QXmlStreamWriter& xml) {
        xml.writeAttribute(QStringLiteral("custom_multicast_ip"), QStringLiteral("0"));
        xml.writeStartElement(QStringLiteral("ipc"));
        for (const T_IpcInfo* pInfo : qAsConst(m_listIpcInfo)) {
            xml.writeStartElement(QStringLiteral("item"));
            for (const auto& field : kIpcFields)
                xml.writeAttribute(QLatin1String(field.name), XmlText(pInfo->*field.member));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
}

bool CHOIDev::IsIpcConfigData(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QList<T_IpcInfo*> list;
    const bool bOk = ReadIpcList(&buffer, true, list);
    qDeleteAll(list);
    return bOk;
}

bool CHOIDev::LoadIpcConfigFile(const QString& strPath, QStringList* pLeftOut)
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
        QString leftOut;
        if (m_pOwner && !m_pOwner->AddIpcDev(pInfo->aliasname, pInfo->hostname, this, &leftOut) && pLeftOut)
            pLeftOut->append(leftOut);
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
            // kept beside it, and the operator hears of it.
            file.close();
            const QString backup = file.fileName() + QStringLiteral(".bak");
            QFile::remove(backup);
            if (QFile::copy(file.fileName(), backup))
                EmitProgressLog(tr("The virtual TX list %1 is damaged: only the records before the damage are "
                                   "read, and the file is kept as %2.")
                                    .arg(QDir::toNativeSeparators(file.fileName()),
                                         QDir::toNativeSeparators(backup)));
            else
                EmitProgressLog(tr("The virtual TX list %1 is damaged: only the records before the damage are "
                                   "read, and the file cannot be kept aside.")
                                    .arg(QDir::toNativeSeparators(file.fileName())));
        }
        for (T_IpcInfo* pInfo : qAsConst(list)) {
            pDev->m_listIpcInfo.append(pInfo);
            AddIpcDev(pInfo->aliasname, pInfo->hostname, pDev);
        }
    }
    return true;
}
