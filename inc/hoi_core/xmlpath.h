#ifndef HOI_CORE_XMLPATH_H
#define HOI_CORE_XMLPATH_H

#include <QString>
#include <QXmlStreamReader>

// The readers of the console's XML files pick elements by their full path
// from the root ("/ipgwconfig/ipc/item"). Reads on to the next start element
// and keeps elementPath and depth (1 for the root) in step with the
// document; false at its end or at an error.
inline bool ReadToStartElement(QXmlStreamReader& xml, QString& elementPath, int& depth)
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

#endif
