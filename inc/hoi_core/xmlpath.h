#ifndef HOI_CORE_XMLPATH_H
#define HOI_CORE_XMLPATH_H

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

#include <functional>

class QXmlStreamWriter;

// The readers of the console's XML files pick elements by their full path
// from the root ("/ipgwconfig/ipc/item").
typedef std::function<void(const QString& elementPath, const QXmlStreamAttributes& attrs)> XmlElementHandler;

// Walks the document to its end or its first error, handing every start
// element with its full path to onElement. With a root given, a document
// whose root element has another path stops the walk at once: false, with
// that path in *pFoundRoot. True otherwise, also after an error, which is
// left in xml for the caller to report.
bool ReadXmlPaths(QXmlStreamReader& xml, const QString& root, const XmlElementHandler& onElement,
                  QString* pFoundRoot = nullptr);

// One entry of a table of a record's attributes: the attribute's name and
// the member of the record it fills.
template <class Record, class Value>
struct T_XmlField
{
    const char* name;
    Value Record::*member;
};

// A walk against a fixed table of full paths, each with an id. The path is
// kept as a stack of table entries, one per open element, so an element
// costs one look-up of its own name however deep it lies.
class CXmlPathMatcher
{
public:
    // Full paths ("/hoi/devices/item") with their ids, which are not 0.
    explicit CXmlPathMatcher(const QHash<QString, int>& paths)
        : m_nodes(1)
    {
        for (auto it = paths.cbegin(); it != paths.cend(); ++it) {
            const QStringList names = it.key().split(QLatin1Char('/'), Qt::SkipEmptyParts);
            int node = 0;
            for (const QString& name : names) {
                int child = m_nodes.at(node).children.value(name, -1);
                if (child < 0) {
                    child = m_nodes.size();
                    m_nodes.append(T_Node());
                    m_nodes[node].children.insert(name, child);
                }
                node = child;
            }
            m_nodes[node].id = it.value();
            m_nMaxDepth = qMax(m_nMaxDepth, names.size());
        }
    }

    // Reads on to the next start element; false at the end of the document
    // or at an error.
    bool ReadToStartElement(QXmlStreamReader& xml)
    {
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                if (!m_stack.isEmpty())
                    m_stack.removeLast();
            } else if (token == QXmlStreamReader::StartElement) {
                // Beneath a path the table does not hold, nothing matches.
                const int parent = m_stack.isEmpty() ? 0 : m_stack.last();
                m_stack.append(parent < 0 ? -1 : m_nodes.at(parent).children.value(xml.name().toString(), -1));
                return true;
            }
        }
        return false;
    }

    // Open elements; 1 on the root.
    int Depth() const { return m_stack.size(); }
    // The id of the current element's path; 0 when the table lacks it.
    int Id() const { return (m_stack.isEmpty() || m_stack.last() < 0) ? 0 : m_nodes.at(m_stack.last()).id; }
    // Elements on the table's longest path.
    int MaxDepth() const { return m_nMaxDepth; }

private:
    struct T_Node
    {
        QHash<QString, int> children;
        int id = 0;
    };
    QVector<T_Node> m_nodes; // the first stands for the document itself
    QVector<int> m_stack;    // the node of each open element, -1 when none
    int m_nMaxDepth = 0;
};

// XML 1.0 has no form for most control characters, U+FFFE, U+FFFF or an
// unpaired surrogate. The XML writer drops them and flags an error, so one
// stray byte in a device's reply would make every save fail: the writers of
// the console's files pass every value through this, which leaves them out.
QString XmlText(const QString& text);

// Writes the file at path with root element root ("ver" 1.0), its content
// written by writeContent, which may add attributes to the root first. The
// old file stays in place until the new one is complete; false, with a
// warning, when it cannot be written.
bool SaveXmlFile(const QString& path, const QString& root,
                 const std::function<void(QXmlStreamWriter&)>& writeContent);

#endif
