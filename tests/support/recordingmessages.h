#pragma once

#include "messageservice.h"

#include <QStringList>

// Keeps every message the program would have shown, in order, instead of showing it.
class RecordingMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { texts.append(text); }
    QStringList texts;
};
