#pragma once

#include "messageservice.h"

#include <QStringList>

// Keeps every message and question the program would have shown, in order, instead of showing it;
// a question is answered `replace`, one before losing changes `answer`, one before saving what the
// file changes `saveAnyway`.
class RecordingMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { texts.append(text); }
    bool askToReplace(const QString &text) override
    {
        texts.append(text);
        return replace;
    }
    Answer askToSave(const QString &text) override
    {
        texts.append(text);
        return answer;
    }
    bool askToSaveAnyway(const QString &text) override
    {
        texts.append(text);
        return saveAnyway;
    }
    QStringList texts;
    bool replace = false;
    bool saveAnyway = false;
    Answer answer = Answer::Cancel;
};
