// The small settings files beside the executable: "list.xml", "hdcp.xml",
// "IPMLayout.xml" and "menuhelp.xml".
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <functional>

namespace {

typedef std::function<void(const QString& elementPath, const QXmlStreamAttributes& attrs)> ElementHandler;

// Walks one settings file, handing every start element with its full path to
// the handler. False when the file cannot be opened or its root is not the
// expected one; what was handled before stays.
bool ReadSettingsXml(const QString& path, const QString& root, const ElementHandler& onElement)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "cannot open" << path << file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString elementPath;
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            elementPath += QLatin1Char('/') + xml.name().toString();
            ++depth;
            if (depth == 1 && elementPath != root) {
                qWarning() << path << "has the root" << elementPath << "instead of" << root;
                return false;
            }
            onElement(elementPath, xml.attributes());
        } else if (token == QXmlStreamReader::EndElement) {
            elementPath.truncate(qMax(0, elementPath.lastIndexOf(QLatin1Char('/'))));
            --depth;
        }
    }
    if (xml.hasError())
        qWarning() << path << "line" << xml.lineNumber() << ":" << xml.errorString();
    return true;
}

QString Attr(const QXmlStreamAttributes& attrs, const char* name)
{
    return attrs.value(QLatin1String(name)).toString();
}

void WriteProduct(QXmlStreamWriter& xml, const char* element, const char* attr, const QString& value)
{
    xml.writeStartElement(QLatin1String(element));
    xml.writeStartElement(QStringLiteral("product"));
    xml.writeAttribute(QLatin1String(attr), value);
    xml.writeEndElement();
    xml.writeEndElement();
}

} // namespace

bool CHOIDevMgr::LoadListConfig()
{
    return ReadSettingsXml(ListXmlPath(), QStringLiteral("/hoi"),
                           [this](const QString& path, const QXmlStreamAttributes& attrs) {
                               if (path == QLatin1String("/hoi/list/product"))
                                   m_nListOrTree = Attr(attrs, "listortree").toInt();
                               else if (path == QLatin1String("/hoi/prompt/product"))
                                   m_nIsPrompt = Attr(attrs, "isprompt").toInt();
                               else if (path == QLatin1String("/hoi/welcome/product"))
                                   m_nIsWelcome = Attr(attrs, "iwelcome").toInt();
                               else if (path == QLatin1String("/hoi/propath/product"))
                                   m_strCurFilePath = Attr(attrs, "filepath");
                           });
}

bool CHOIDevMgr::SaveListConfig()
{
    // Written aside and renamed over the old file, so a failed write keeps it.
    QSaveFile file(ListXmlPath());
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "cannot write" << file.fileName() << file.errorString();
        return false;
    }
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("hoi"));
    xml.writeAttribute(QStringLiteral("ver"), QStringLiteral("1.0"));
    WriteProduct(xml, "list", "listortree", QString::number(m_nListOrTree));
    WriteProduct(xml, "prompt", "isprompt", QString::number(m_nIsPrompt));
    WriteProduct(xml, "welcome", "iwelcome", QString::number(m_nIsWelcome));
    WriteProduct(xml, "propath", "filepath", m_strCurFilePath);
    xml.writeEndElement();
    xml.writeEndDocument();
    // commit() does not see a failure of its own final flush.
    if (xml.hasError() || !file.flush() || !file.commit()) {
        qWarning() << "cannot write" << file.fileName() << file.errorString();
        return false;
    }
    return true;
}

bool CHOIDevMgr::LoadHdcpConfig()
{
    m_mapHdcp.clear();
    return ReadSettingsXml(HdcpXmlPath(), QStringLiteral("/hdcp"),
                           [this](const QString& path, const QXmlStreamAttributes& attrs) {
                               if (path != QLatin1String("/hdcp/product"))
                                   return;
                               m_mapHdcp.insert(Attr(attrs, "host_name").toUpper(),
                                                StrToBool(Attr(attrs, "hdcp_enable"), false));
                           });
}

bool CHOIDevMgr::LoadLayoutConfig()
{
    m_ipmLayoutList.clear();
    return ReadSettingsXml(IPMLayoutXmlPath(), QStringLiteral("/layout"),
                           [this](const QString& path, const QXmlStreamAttributes& attrs) {
                               if (path != QLatin1String("/layout/product"))
                                   return;
                               T_IpmLayoutInfo info;
                               info.layout_name = Attr(attrs, "layout_name");
                               info.position_and_size_of_each_window =
                                   Attr(attrs, "position_and_size_of_each_window");
                               info.image_path = Attr(attrs, "image_path");
                               info.icon_path = Attr(attrs, "icon_path");
                               m_ipmLayoutList.append(info);
                           });
}

bool CHOIDevMgr::LoadMenuConfig()
{
    m_menuHelpList.clear();
    return ReadSettingsXml(MenuHelpXmlPath(), QStringLiteral("/menu"),
                           [this](const QString& path, const QXmlStreamAttributes& attrs) {
                               if (path != QLatin1String("/menu/product"))
                                   return;
                               T_MenuHelpInfo info;
                               info.menu_name = Attr(attrs, "menu_name");
                               info.file_path = Attr(attrs, "file_path");
                               m_menuHelpList.append(info);
                           });
}

bool CHOIDevMgr::InitMrxLayouts()
{
    for (CHOIDev* pDev : qAsConst(m_devList)) {
        if (pDev->GetDevType() != CHOIDev::E_DT_MRX || !pDev->m_listIPMLayout.isEmpty())
            continue;
        QList<T_IpmLayoutInfo> layouts;
        const QList<T_IpmLayoutSeq> seqs = pDev->GetSortedLayoutList();
        for (const T_IpmLayoutSeq& seq : seqs) {
            for (const T_IpmLayoutInfo& info : qAsConst(m_ipmLayoutList)) {
                if (info.layout_name == seq.layout_name) {
                    layouts.append(info);
                    break;
                }
            }
        }
        pDev->SetIPMLayoutList(layouts);
    }
    return true;
}

bool CHOIDevMgr::InitDefaultProjectFile()
{
    m_strDefaultFilePath = DefaultProjectFilePath();
    return true;
}
