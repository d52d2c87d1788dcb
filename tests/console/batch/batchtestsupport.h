#ifndef TESTS_CONSOLE_BATCHTESTSUPPORT_H
#define TESTS_CONSOLE_BATCHTESTSUPPORT_H

#include <QList>
#include <QStringList>

#include "consoletestsupport.h"

// Answers every file dialog with the next path (empty: cancelled).
class CBatchFileAnswers
{
public:
    CBatchFileAnswers()
    {
        SetFileDialogRunner([this](const T_FileDialogRequest &request) {
            m_requests.append(request);
            return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        });
    }
    ~CBatchFileAnswers() { SetFileDialogRunner(FileDialogRunner()); }
    void Answer(const QString &path) { m_answers.append(path); }
    const QList<T_FileDialogRequest> &Requests() const { return m_requests; }

private:
    QStringList m_answers;
    QList<T_FileDialogRequest> m_requests;
};

#endif
