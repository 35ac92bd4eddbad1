#pragma once

#include <QString>

// How the program tells the user something. The window shows a modal box; tests record the texts.
class MessageService
{
public:
    virtual ~MessageService() = default;
    virtual void showMessage(const QString &text) = 0;
    // Asks whether to replace a file, `text` saying what that loses; true to replace it.
    virtual bool askToReplace(const QString &text) = 0;
};
