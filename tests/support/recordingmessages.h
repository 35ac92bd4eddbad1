#pragma once

#include "messageservice.h"

#include <QStringList>

// Keeps every message and question the program would have shown, in order, instead of showing it;
// a question is answered `replace`.
class RecordingMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { texts.append(text); }
    bool askToReplace(const QString &text) override
    {
        texts.append(text);
        return replace;
    }
    QStringList texts;
    bool replace = false;
};
