#pragma once

#include "messageservice.h"

#include <QStringList>

#include <functional>
#include <utility>

// Keeps every message and question the program would have shown, in order, instead of showing it;
// a question is answered `replace`, one before losing changes `answer`, one on recovered edits
// `recovery`, one before saving what the file changes `saveAnyway`.
class RecordingMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { texts.append(text); }
    bool askToReplace(const QString &text) override
    {
        texts.append(text);
        const bool answer = replace;
        if (whileAsking)
            std::exchange(whileAsking, {})();
        return answer;
    }
    Answer askToSave(const QString &text) override
    {
        texts.append(text);
        return answer;
    }
    Recovery askToRestore(const QString &text) override
    {
        texts.append(text);
        return recovery;
    }
    bool askToSaveAnyway(const QString &text) override
    {
        texts.append(text);
        return saveAnyway;
    }
    bool askToGoAhead(const QString &text, const QString &) override
    {
        texts.append(text);
        return goAhead;
    }
    QStringList texts;
    bool goAhead = false;
    bool replace = false;
    std::function<void()> whileAsking; // done once, as the first question waits for its answer
    bool saveAnyway = false;
    Answer answer = Answer::Cancel;
    Recovery recovery = Recovery::Restore;
};
