#include "cataloguedocument.h"

#include "messages.h"
#include "pages.h"

#include <QDir>

CatalogueDocument::CatalogueDocument(const QString &folder, const QString &pictureFolder)
    : m_folder(folder), m_pictureFolder(pictureFolder)
{}

QString CatalogueDocument::filePath() const
{
    return m_folder == QLatin1String(".") ? ProjectsFileName : QDir(m_folder).filePath(ProjectsFileName);
}

LoadResult CatalogueDocument::load()
{
    // Built from nothing, whatever the catalogue held: its memory is free for what is read.
    m_catalogue.assign({});
    CatalogueFile file(filePath());
    const bool read = file.read();
    m_catalogue.assign(file.takeProjects());
    m_encoding = file.encoding();
    m_identity = file.identity();
    // A new catalogue: no edit of the one before leads to it or from it.
    m_state = ++m_lastState;
    m_savedState = m_state;
    m_unsaved.clear();

    LoadResult result;
    result.messages = Messages::afterReading(file, read);
    result.droppedRecords = file.droppedRecords();
    if (!read)
        result.reason = file.errorString();
    if (file.isMissing())
        result.outcome = LoadResult::Outcome::Missing;
    else if (!read)
        result.outcome = LoadResult::Outcome::Unreadable;
    else if (file.droppedRecords() > 0)
        result.outcome = LoadResult::Outcome::RecordsDropped;
    else if (file.holdsNoProject())
        result.outcome = LoadResult::Outcome::NoProject;
    if (!file.isMissing())
        return result;
    // The first run: one project with "New" in all four texts and one picture.
    result.messages.append(Messages::Creating);
    const qint16 first = *m_catalogue.AppendProject();
    for (const char *key : {"Name", "Location", "ShortDesc", "LongDesc"})
        m_catalogue.SetProjectField(first, QLatin1String(key), QStringLiteral("New"));
    m_catalogue.SetPics(first, 1);
    // The record made is not on disk until the first save succeeds.
    m_savedState = 0;
    return result;
}

SaveResult CatalogueDocument::save(const SaveResult &answered)
{
    using Question = SaveResult::Question;
    const FileIdentity &expected = answered.question == Question::None ? m_identity : answered.version;
    CatalogueFile file(filePath());
    if (file.write(m_catalogue.Projects(), m_encoding, expected,
                   answered.question == Question::OtherNames ? Replace::SeparatingNames : Replace::IfUnchanged)) {
        m_identity = file.identity();
        m_savedState = m_state;
        m_unsaved.clear();
        return {};
    }
    if (file.changedSinceRead())
        return {SaveResult::Outcome::Question, Messages::beforeReplacing(ProjectsFileName, expected),
                file.errorString(), Question::Changed, file.found()};
    if (file.hasOtherNames())
        return {SaveResult::Outcome::Question, Messages::beforeSeparatingNames(ProjectsFileName), file.errorString(),
                Question::OtherNames, file.found()};
    return {SaveResult::Outcome::Failed,
            file.refused() ? Messages::withReason(Messages::SaveFailed, file.errorString()) : Messages::SaveFailed,
            file.errorString(), Question::None, FileIdentity()};
}

PublishResult CatalogueDocument::publish() const
{
    // The working folder is written by the name ".": its absolute name need not lead back to it.
    Pages::Publisher publisher(m_folder);
    if (publisher.publish(m_catalogue.Projects()))
        return {true, Messages::PagesBuilt, QString(), QString()};
    return {false,
            publisher.refused() ? Messages::withReason(Messages::PagesFailed, publisher.errorString())
                                : Messages::PagesFailed,
            QDir(m_folder).filePath(publisher.failedFile()), publisher.errorString()};
}

QList<CheckFinding> CatalogueDocument::check() const
{
    return CatalogueCheck::checkProjects(m_catalogue.Projects(), m_pictureFolder);
}

RecoveryJournal CatalogueDocument::recoveryJournal() const
{
    RecoveryJournal journal;
    journal.folder = QDir(m_folder).absolutePath();
    journal.setBase(m_identity);
    journal.entries = m_unsaved;
    return journal;
}

void CatalogueDocument::noteEdit(const CatalogueEdit &edit, const QDateTime &madeAt)
{
    if (!isModified()) {
        m_unsaved.clear();
        return;
    }
    RecoveryEntry entry{madeAt, edit};
    // The states name this run's catalogues only.
    entry.edit.stateBefore = entry.edit.stateAfter = 0;
    m_unsaved.append(entry);
}

bool CatalogueDocument::perform(CatalogueEdit &edit, const QDateTime &madeAt)
{
    if (!edit.applyTo(m_catalogue))
        return false;
    edit.stateBefore = m_state;
    edit.stateAfter = m_state = ++m_lastState;
    noteEdit(edit, madeAt);
    return true;
}

bool CatalogueDocument::undo(const CatalogueEdit &edit)
{
    if (m_state != edit.stateAfter || !edit.revertIn(m_catalogue))
        return false;
    m_state = edit.stateBefore;
    noteEdit(edit.inverse(), QDateTime::currentDateTimeUtc());
    return true;
}

bool CatalogueDocument::redo(const CatalogueEdit &edit)
{
    if (m_state != edit.stateBefore || !edit.applyTo(m_catalogue))
        return false;
    m_state = edit.stateAfter;
    noteEdit(edit, QDateTime::currentDateTimeUtc());
    return true;
}
