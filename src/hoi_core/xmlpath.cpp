#include "hoi_core/xmlpath.h"

#include <QDebug>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace {

// Reads on to the next start element and keeps elementPath and depth (1 for
// the root) in step with the document; false at its end or at an error.
bool ReadToStartElement(QXmlStreamReader& xml, QString& elementPath, int& depth)
{
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            const int slash = elementPath.lastIndexOf(QLatin1Char('/'));
            if (slash >= 0)
                elementPath.truncate(slash);
        } else if (token == QXmlStreamReader::StartElement) {
            ++depth;
            elementPath += QLatin1Char('/') + xml.name().toString();
            return true;
        }
    }
    return false;
}

bool IsXmlChar(ushort u)
{
    return u >= 0x20 ? (u < 0xFFFE) : (u == 0x09 || u == 0x0A || u == 0x0D);
}

} // namespace

QString XmlText(const QString& text)
{
    const int n = text.size();
    const QChar* p = text.constData();
    const auto validAt = [p, n](int i, int* pLen) {
        const QChar c = p[i];
        *pLen = 1;
        if (c.isHighSurrogate()) {
            *pLen = 2;
            return i + 1 < n && p[i + 1].isLowSurrogate();
        }
        return !c.isLowSurrogate() && IsXmlChar(c.unicode());
    };
    int i = 0;
    int len = 1;
    while (i < n && validAt(i, &len))
        i += len;
    if (i == n)
        return text;
    QString clean = text.left(i);
    while (i < n) {
        if (validAt(i, &len))
            clean.append(p + i, len);
        else
            len = 1;
        i += len;
    }
    return clean;
}

bool ReadXmlPaths(QXmlStreamReader& xml, const QString& root, const XmlElementHandler& onElement,
                  QString* pFoundRoot)
{
    QString elementPath;
    int depth = 0;
    while (ReadToStartElement(xml, elementPath, depth)) {
        if (depth == 1 && !root.isEmpty() && elementPath != root) {
            if (pFoundRoot)
                *pFoundRoot = elementPath;
            return false;
        }
        onElement(elementPath, xml.attributes());
    }
    return true;
}

bool SaveXmlFile(const QString& path, const QString& root,
                 const std::function<void(QXmlStreamWriter&)>& writeContent)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "cannot write" << path << file.errorString();
        return false;
    }
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(root);
    xml.writeAttribute(QStringLiteral("ver"), QStringLiteral("1.0"));
    writeContent(xml);
    xml.writeEndElement();
    xml.writeEndDocument();
    // commit() does not see a failure of its own final flush; an uncommitted
    // file is discarded and the old one stays.
    if (xml.hasError() || !file.flush() || !file.commit()) {
        qWarning() << "cannot write" << path << file.errorString();
        return false;
    }
    return true;
}
