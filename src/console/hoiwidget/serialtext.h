#ifndef HOI_CONSOLE_SERIALTEXT_H
#define HOI_CONSOLE_SERIALTEXT_H

#include <QString>
#include <QTextCursor>

class QTextDocument;

// The message editors of the RS-232 windows (serial message, display power,
// the batch dialog's Serial and Power pages): a message goes to the devices
// as one line, and in hex mode only hex digits and blanks may be typed.

// The text without its line feeds and carriage returns.
QString WithoutLineBreaks(QString strText);

// Drops what stands at the end of the text until the last character other
// than a line break is a hex digit or a blank; true when it dropped
// anything. Done as one edit: a long paste of other characters would
// otherwise recurse once per character through the editor's change notice.
bool FilterHexEnd(QTextDocument *pDoc);

// The filter of a message editor while its hex switch is on; bFiltering
// keeps the filter's own edit from running it again.
template <class TEditor>
void FilterHexEntry(TEditor *pEditor, bool bHex, bool &bFiltering)
{
    if (bFiltering || !bHex)
        return;
    bFiltering = true;
    if (FilterHexEnd(pEditor->document()))
        pEditor->moveCursor(QTextCursor::End);
    bFiltering = false;
}

// Removes the paragraph under the editor's cursor, as hex mode comes on.
template <class TEditor>
void RemoveBlockUnderCursor(TEditor *pEditor)
{
    if (WithoutLineBreaks(pEditor->toPlainText()).isEmpty())
        return;
    QTextCursor cursor = pEditor->textCursor();
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.removeSelectedText();
    pEditor->setTextCursor(cursor);
}

#endif
