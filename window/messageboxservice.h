#pragma once

#include "messageservice.h"

class QWidget;

// A modal box with only an OK button and no icon, captioned with the application's title; a
// question has "Replace" and "Cancel", Cancel the default. Before unsaved changes are lost, the
// standard Save, Discard and Cancel buttons, Save the default and Escape cancelling. Recovered
// edits: "Restore", the default, and Discard, one of which must be chosen. Before saving what the
// file changes, "Save Anyway" and "Cancel", Cancel the default. A folder without a catalogue:
// "Create", the default, "Choose Another Folder…" and "Cancel". Built pages: "Open Index Page" and
// "Close", the default. The last two are never narrower than their caption.
class MessageBoxService : public MessageService
{
public:
    explicit MessageBoxService(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    void showMessage(const QString &text) override;
    void showSkippedFiles(const QString &heading, const QStringList &reasons) override;
    bool askToReplace(const QString &text) override;
    Answer askToSave(const QString &text) override;
    Recovery askToRestore(const QString &text) override;
    bool askToSaveAnyway(const QString &text) override;
    NewCatalogue askToStartCatalogue(const QString &text) override;
    bool offerToShowPages(const QString &text) override;
    bool askToGoAhead(const QString &text, const QString &action) override;

private:
    QWidget *m_parent;
};
