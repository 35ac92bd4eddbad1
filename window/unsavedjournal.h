#pragma once

#include "journalclaim.h"

#include <QObject>
#include <QString>

#include <functional>

class CatalogueDocument;
class MessageService;
class QTimer;
struct RecoveryEntry;
struct RecoveryJournal;

// The journal of the unsaved edits of the window's catalogue, kept beside the user's settings: it
// follows the catalogue, written within a second of an edit and removed once nothing is unsaved,
// so that the next opening offers back what a crash or a kill left unsaved.
class UnsavedJournal : public QObject
{
    Q_OBJECT

public:
    // Makes one recovered edit again as the step it was; false when the catalogue refuses it.
    using Replay = std::function<bool(const RecoveryEntry &entry)>;
    // Takes back the edits replayed so far.
    using TakeBack = std::function<void()>;

    UnsavedJournal(CatalogueDocument &document, MessageService &messages, QObject *parent = nullptr);

    // The catalogue is left: its journal is no longer this window's.
    void release();
    // At the opening of a folder whose journal the program left behind: offers its edits back.
    void offerRecovery(const Replay &replay, const TakeBack &takeBack);
    // After an edit or a save.
    void keep();
    void write();
    void remove();

private:
    // Tells of `found`, and asks whether to restore it when it can be; the journal at `path` is
    // removed unless it is to be restored or the question goes unanswered.
    bool restoreWanted(const RecoveryJournal &found, const QString &path);

    CatalogueDocument &m_document;
    MessageService &m_messages;
    QTimer *m_timer = nullptr;
    // Empty until the opening of the folder has settled what happens to the journal found there.
    QString m_path;
    JournalClaim m_claim;
};
