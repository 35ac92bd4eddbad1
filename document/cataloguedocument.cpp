#include "cataloguedocument.h"

#include "messages.h"
#include "pages.h"
#include "picturenames.h"
#include "workingfolder.h"

#include <QDir>

CatalogueDocument::CatalogueDocument(const QString &folder, const QString &pictureFolder)
    : m_folder(folder), m_pictureFolder(pictureFolder)
{}

bool CatalogueDocument::open(const QByteArray &folder, const QString &programFolder)
{
    QString reason;
    if (!WorkingFolder::isFolder(folder) || !WorkingFolder::enter(folder, reason))
        return false;
    const QString here = QStringLiteral(".");
    *this = CatalogueDocument(here, PictureNames::pictureFolder(programFolder, here));
    return true;
}

QByteArray CatalogueDocument::absoluteFolder() const
{
    return journalFolder().toLatin1();
}

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
    resetRecords();
    markSaved();
    m_unsaved.clear();

    LoadResult result;
    result.messages = Messages::afterReading(file, read);
    m_fileFindings.clear();
    for (const QString &message : std::as_const(result.messages))
        m_fileFindings.append(CatalogueCheck::fileFinding(message));
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
    for (const Field field : AllFields)
        m_catalogue.setField(first, field, QStringLiteral("New"));
    m_catalogue.SetPics(first, 1);
    // The record made is not on disk until the first save succeeds.
    resetRecords();
    return result;
}

SaveResult CatalogueDocument::save(const SaveResult &answered, Texts texts)
{
    using Question = SaveResult::Question;
    if (texts == Texts::CheckFirst) {
        const qsizetype record = CatalogueFormat::firstRecordNotComingBack(m_catalogue.Projects());
        if (record >= 0) {
            const ProjectInfo &project = m_catalogue.at(qint16(record));
            Field field = Field::LongDesc;
            for (const Field candidate : AllFields) {
                field = candidate;
                if (!CatalogueFormat::comesBackExactly(fieldText(project, field)))
                    break;
            }
            return {SaveResult::Outcome::TextNotKept, Messages::textNotKept(record, project.Name, field), QString(),
                    Question::None, FileIdentity()};
        }
    }
    const FileIdentity &expected = answered.question == Question::None ? m_identity : answered.version;
    CatalogueFile file(filePath());
    if (file.write(m_catalogue.Projects(), m_encoding, expected,
                   answered.question == Question::OtherNames ? Replace::SeparatingNames : Replace::IfUnchanged)) {
        m_identity = file.identity();
        if (m_records.size() != m_catalogue.Projects().size())
            resetRecords();
        markSaved();
        m_unsaved.clear();
        // The file is now the catalogue, whatever loading found wrong with it.
        m_fileFindings.clear();
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
    if (m_storedPics.isEmpty() || m_records.size() != m_catalogue.Projects().size())
        return CatalogueCheck::checkProjects(m_catalogue.Projects(), m_pictureFolder);
    QList<ProjectInfo> stored = m_catalogue.Projects();
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (const auto pics = m_storedPics.constFind(m_records.at(i)); pics != m_storedPics.cend())
            stored[i].Pics = *pics;
    }
    return CatalogueCheck::checkProjects(stored, m_pictureFolder);
}

void CatalogueDocument::setShownPictureCount(qint16 position, qint16 pics)
{
    if (position < 0 || position > m_catalogue.LastProject())
        return;
    if (m_records.size() != m_catalogue.Projects().size())
        resetRecords();
    const qint16 before = m_catalogue.at(position).Pics;
    if (before != pics && !m_storedPics.contains(m_records.at(position)))
        m_storedPics.insert(m_records.at(position), before);
    m_catalogue.SetPics(position, pics);
}

bool CatalogueDocument::isModified() const
{
    return m_records != m_savedRecords || !m_savedTexts.isEmpty() || m_records.size() != m_catalogue.Projects().size();
}

QString CatalogueDocument::journalFolder() const
{
    return QString::fromLatin1(m_folder == QLatin1String(".") ? WorkingFolder::current()
                                                              : QFile::encodeName(QDir(m_folder).absolutePath()));
}

RecoveryJournal CatalogueDocument::recoveryJournal() const
{
    RecoveryJournal journal;
    journal.folder = journalFolder();
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
    // The states and record identities name this run's catalogues only.
    entry.edit.stateBefore = entry.edit.stateAfter = 0;
    entry.edit.record = 0;
    m_unsaved.append(entry);
}

bool CatalogueDocument::perform(CatalogueEdit &edit, const QDateTime &madeAt)
{
    // The catalogue was changed behind the document's back: none of its records is the one saved.
    if (m_records.size() != m_catalogue.Projects().size())
        resetRecords();
    const quint32 record = edit.kind == CatalogueEdit::Kind::Insert ? m_lastRecord + 1 : m_records.value(edit.position);
    if (!edit.applyTo(m_catalogue))
        return false;
    if (edit.kind == CatalogueEdit::Kind::Insert)
        ++m_lastRecord;
    edit.record = record;
    followEdit(edit, true);
    edit.stateBefore = m_state;
    edit.stateAfter = m_state = ++m_lastState;
    noteEdit(edit, madeAt);
    return true;
}

bool CatalogueDocument::undo(const CatalogueEdit &edit)
{
    if (m_state != edit.stateAfter || !edit.revertIn(m_catalogue))
        return false;
    followEdit(edit, false);
    m_state = edit.stateBefore;
    noteEdit(edit.inverse(), QDateTime::currentDateTimeUtc());
    return true;
}

bool CatalogueDocument::redo(const CatalogueEdit &edit)
{
    if (m_state != edit.stateBefore || !edit.applyTo(m_catalogue))
        return false;
    followEdit(edit, true);
    m_state = edit.stateAfter;
    noteEdit(edit, QDateTime::currentDateTimeUtc());
    return true;
}

void CatalogueDocument::resetRecords()
{
    m_records.resize(m_catalogue.Projects().size());
    for (quint32 &record : m_records)
        record = ++m_lastRecord;
}

void CatalogueDocument::markSaved()
{
    m_savedRecords = m_records;
    m_saved = QBitArray(qsizetype(m_lastRecord) + 1);
    for (const quint32 record : std::as_const(m_records))
        m_saved.setBit(record);
    m_savedTexts.clear();
    // The file now holds the counts that showing the projects set.
    m_storedPics.clear();
}

void CatalogueDocument::followEdit(const CatalogueEdit &edit, bool forward)
{
    switch (edit.kind) {
    case CatalogueEdit::Kind::Insert:
    case CatalogueEdit::Kind::Remove:
        if (forward == (edit.kind == CatalogueEdit::Kind::Insert))
            m_records.insert(edit.position, edit.record);
        else
            m_records.removeAt(edit.position);
        break;
    case CatalogueEdit::Kind::SwapWithNext:
        m_records.swapItemsAt(edit.position, edit.position + 1);
        break;
    case CatalogueEdit::Kind::SetField:
        noteField(edit.record, edit.field, forward ? edit.before : edit.after, forward ? edit.after : edit.before);
        break;
    }
}

void CatalogueDocument::noteField(quint32 record, Field key, const QString &from, const QString &to)
{
    // A record that was not saved makes the identities differ for as long as it is there.
    if (from == to || record >= quint32(m_saved.size()) || !m_saved.testBit(record))
        return;
    const quint64 field = quint64(record) << 2 | quint64(int(key) & 3);
    const auto saved = m_savedTexts.constFind(field);
    // A field without a saved text held it until now.
    if (saved == m_savedTexts.cend())
        m_savedTexts.insert(field, from);
    else if (*saved == to)
        m_savedTexts.erase(saved);
}
