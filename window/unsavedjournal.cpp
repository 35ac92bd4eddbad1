#include "unsavedjournal.h"

#include "cataloguedocument.h"
#include "messageservice.h"
#include "recoveryjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

namespace {

// Edits stored within this time of the journal's last write wait for the next one, so that typing
// from box to box costs one write a second at most.
constexpr int JournalDelayMs = 1000;

// Beside the user's settings, wherever those are kept: one journal for each catalogue folder.
QString journalPathFor(const QString &folder)
{
    return QFileInfo(QSettings().fileName()).absolutePath() + QStringLiteral("/recovery/")
        + RecoveryJournal::fileNameFor(folder);
}

} // namespace

UnsavedJournal::UnsavedJournal(CatalogueDocument &document, MessageService &messages, QObject *parent)
    : QObject(parent), m_document(document), m_messages(messages), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(JournalDelayMs);
    connect(m_timer, &QTimer::timeout, this, &UnsavedJournal::write);
}

void UnsavedJournal::release()
{
    m_timer->stop();
    m_path.clear();
    m_claim.release();
}

void UnsavedJournal::offerRecovery(const Replay &replay, const TakeBack &takeBack)
{
    const QString folder = m_document.journalFolder();
    const QString path = journalPathFor(folder);
    // A window still open on the folder keeps its own edits there: they are not recovered ones.
    if (!m_claim.claim(QFileInfo(path).fileName()))
        return;
    const std::optional<RecoveryJournal> found = RecoveryJournal::read(path);
    if (!found || found->folder != folder || found->entries.isEmpty()) {
        m_path = path;
        return;
    }
    if (!restoreWanted(*found, path))
        return;
    for (const RecoveryEntry &entry : found->entries) {
        if (!replay(entry)) {
            // Taken back, and the journal left as it is: this window keeps none that would replace it.
            takeBack();
            m_messages.showMessage(tr("The recovered edits do not fit this catalogue.\rThey were not restored."));
            return;
        }
    }
    m_path = path;
    keep();
}

bool UnsavedJournal::restoreWanted(const RecoveryJournal &found, const QString &path)
{
    const QString when = found.entries.last().madeAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!found.madeAgainst(m_document.fileIdentity())) {
        // Replayed on another file, the edits would change records they were never made on.
        m_messages.showMessage(tr("Unsaved edits of this catalogue from %1 were recovered, but projects.txt has "
                                  "changed since they were made.\rThey cannot be restored.")
                                   .arg(when));
        m_path = path;
        remove();
        return false;
    }
    const qsizetype count = found.entries.size();
    const QString edits = count == 1 ? tr("1 edit") : tr("%1 edits").arg(count);
    switch (m_messages.askToRestore(
        tr("Unsaved edits of this catalogue from %1 were recovered (%2).\rRestore them?").arg(when, edits))) {
    case MessageService::Recovery::Undecided:
        // The program is ending: the journal stays for the next opening.
        return false;
    case MessageService::Recovery::Discard:
        m_path = path;
        remove();
        return false;
    case MessageService::Recovery::Restore:
        break;
    }
    return true;
}

void UnsavedJournal::keep()
{
    if (m_path.isEmpty())
        return;
    if (!m_document.isModified())
        remove();
    else if (!m_timer->isActive())
        m_timer->start();
}

void UnsavedJournal::write()
{
    m_timer->stop();
    if (m_path.isEmpty())
        return;
    const RecoveryJournal journal = m_document.recoveryJournal();
    if (journal.entries.isEmpty()) {
        remove();
        return;
    }
    QDir().mkpath(QFileInfo(m_path).path());
    // Nothing to show the user a second after each edit: the edits themselves are safe in memory.
    if (const QString error = journal.write(m_path); !error.isEmpty())
        qWarning("cannot keep the unsaved edits in %s: %s", qPrintable(m_path), qPrintable(error));
}

void UnsavedJournal::remove()
{
    m_timer->stop();
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}
