#pragma once

#include <QString>
#include <QStringList>

// How the program tells the user something. The window shows a modal box; tests record the texts.
class MessageService
{
public:
    enum class Answer { Save, Discard, Cancel };
    enum class Recovery { Restore, Discard, Undecided };
    enum class NewCatalogue { Create, ChooseAnother, Cancel };

    virtual ~MessageService() = default;
    virtual void showMessage(const QString &text) = 0;
    // One message for a batch of files of which some were skipped: `heading`, then each reason,
    // which names its file.
    virtual void showSkippedFiles(const QString &heading, const QStringList &reasons) = 0;
    // Asks whether to replace a file, `text` saying what that loses; true to replace it.
    virtual bool askToReplace(const QString &text) = 0;
    // Asks, before unsaved changes would be lost, whether to save them first, leave them, or stay.
    virtual Answer askToSave(const QString &text) = 0;
    // Asks whether to restore the unsaved edits found after the program last ended without saving
    // or discarding them. Undecided when the question goes unanswered, as when the program ends.
    virtual Recovery askToRestore(const QString &text) = 0;
    // Asks whether to save although `text` says what saving changes; true to save.
    virtual bool askToSaveAnyway(const QString &text) = 0;
    // Asks, before anything is written in a folder without a catalogue, whether to start one there,
    // to choose another folder, or to leave it.
    virtual NewCatalogue askToStartCatalogue(const QString &text) = 0;
    // Tells that the pages were built, `text` naming them, and offers to show them; true to show them.
    virtual bool offerToShowPages(const QString &text) = 0;
    // Asks whether to go ahead with what `text` describes, by a button named `action`; true to go.
    virtual bool askToGoAhead(const QString &text, const QString &action) = 0;
};
