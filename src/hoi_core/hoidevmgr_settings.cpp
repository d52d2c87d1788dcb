// The small settings files beside the executable: "list.xml", "hdcp.xml",
// "IPMLayout.xml" and "menuhelp.xml".
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/xmlpath.h"

#include <QDebug>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <functional>

namespace {

// Walks one settings file, handing every start element with its full path to
// the handler. False when the file cannot be opened or its root is not the
// expected one; what was handled before stays.
bool ReadSettingsXml(const QString& path, const QString& root, const XmlElementHandler& onElement)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "cannot open" << path << file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString foundRoot;
    if (!ReadXmlPaths(xml, root, onElement, &foundRoot)) {
        qWarning() << path << "has the root" << foundRoot << "instead of" << root;
        return false;
    }
    if (xml.hasError())
        qWarning() << path << "line" << xml.lineNumber() << ":" << xml.errorString();
    return true;
}

typedef std::function<void(const QXmlStreamAttributes& attrs)> RecordHandler;

// A file of one record list holds a "product" element per record under the
// root; onRecord gets the attributes of each.
bool ReadSettingsRecords(const QString& path, const QString& root, const RecordHandler& onRecord)
{
    const QString recordPath = root + QStringLiteral("/product");
    return ReadSettingsXml(path, root, [&](const QString& elementPath, const QXmlStreamAttributes& attrs) {
        if (elementPath == recordPath)
            onRecord(attrs);
    });
}

QString Attr(const QXmlStreamAttributes& attrs, const char* name)
{
    return attrs.value(QLatin1String(name)).toString();
}

// Empties list and fills it with a record per "product" element, its text
// members taken from the attributes of the fields.
template <class Record, size_t N>
bool ReadRecordList(const QString& path, const QString& root, const T_XmlField<Record, QString> (&fields)[N],
                    QList<Record>& list)
{
    list.clear();
    return ReadSettingsRecords(path, root, [&fields, &list](const QXmlStreamAttributes& attrs) {
        Record record;
        for (const auto& field : fields)
            record.*field.member = Attr(attrs, field.name);
        list.append(record);
    });
}

const T_XmlField<T_IpmLayoutInfo, QString> kLayoutFields[] = {
    {"layout_name", &T_IpmLayoutInfo::layout_name},
    {"position_and_size_of_each_window", &T_IpmLayoutInfo::position_and_size_of_each_window},
    {"image_path", &T_IpmLayoutInfo::image_path},
    {"icon_path", &T_IpmLayoutInfo::icon_path},
};

const T_XmlField<T_MenuHelpInfo, QString> kMenuHelpFields[] = {
    {"menu_name", &T_MenuHelpInfo::menu_name},
    {"file_path", &T_MenuHelpInfo::file_path},
};

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
    return SaveXmlFile(ListXmlPath(), QStringLiteral("hoi"), [this](QXmlStreamWriter& xml) {
        WriteProduct(xml, "list", "listortree", QString::number(m_nListOrTree));
        WriteProduct(xml, "prompt", "isprompt", QString::number(m_nIsPrompt));
        WriteProduct(xml, "welcome", "iwelcome", QString::number(m_nIsWelcome));
        WriteProduct(xml, "propath", "filepath", m_strCurFilePath);
    });
}

bool CHOIDevMgr::LoadHdcpConfig()
{
    m_mapHdcp.clear();
    return ReadSettingsRecords(HdcpXmlPath(), QStringLiteral("/hdcp"), [this](const QXmlStreamAttributes& attrs) {
        m_mapHdcp.insert(Attr(attrs, "host_name").toUpper(), StrToBool(Attr(attrs, "hdcp_enable"), false));
    });
}

bool CHOIDevMgr::LoadLayoutConfig()
{
    return ReadRecordList(IPMLayoutXmlPath(), QStringLiteral("/layout"), kLayoutFields, m_ipmLayoutList);
}

bool CHOIDevMgr::LoadMenuConfig()
{
    return ReadRecordList(MenuHelpXmlPath(), QStringLiteral("/menu"), kMenuHelpFields, m_menuHelpList);
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
