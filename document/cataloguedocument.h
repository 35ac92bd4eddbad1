#pragma once

#include "catalogue.h"
#include "catalogueedit.h"
#include "cataloguecheck.h"
#include "cataloguefile.h"
#include "catalogueformat.h"
#include "documentresults.h"
#include "fileidentity.h"
#include "recoveryjournal.h"

#include <QBitArray>
#include <QHash>
#include <QList>
#include <QString>

// The catalogue of one folder and what it was on disk: the one owner of the catalogue for a whole
// run, of the window and of the command line alike. Its steps return what they came to, in the
// words the user is told, and show nothing themselves.
class CatalogueDocument
{
public:
    using Replace = CatalogueFile::Replace;
    // Whether a save first looks for texts that the file cannot give back as they are.
    enum class Texts { CheckFirst, AsTheyAre };

    // `folder` holds projects.txt, and the pages are written there; "." is the working folder, in
    // which projects.txt goes by its bare name. Pictures are looked up in `pictureFolder`.
    explicit CatalogueDocument(const QString &folder = QStringLiteral("."), const QString &pictureFolder = QString());

    // Makes this the document of `folder`, named by its bytes, which becomes the working folder: the
    // catalogue is empty until load(), and pictures are looked up beside `programFolder` or else in
    // the folder. False, and nothing changed, when it is not a folder that can be entered.
    bool open(const QByteArray &folder, const QString &programFolder);

    QString folder() const { return m_folder; }
    // The folder's absolute name by its bytes, which need not be UTF-8.
    QByteArray absoluteFolder() const;
    QString pictureFolder() const { return m_pictureFolder; }
    // projects.txt in the folder.
    QString filePath() const;

    Catalogue &catalogue() { return m_catalogue; }
    const Catalogue &catalogue() const { return m_catalogue; }
    // How projects.txt was encoded when read, which a save keeps.
    FileEncoding encoding() const { return m_encoding; }
    // What projects.txt was when the catalogue was read from it or last saved to it: a save
    // replaces only that file unless the user agreed to replace another version.
    const FileIdentity &fileIdentity() const { return m_identity; }

    // Makes the catalogue what projects.txt holds, whatever it held before. Without the file it
    // makes the first run's one project, and the caller saves once it has said so.
    LoadResult load();
    // Save All; a result that is a question, answered "Replace", is given back as `answered`, and
    // the save then replaces the version of the file the question was about, and only it: a file
    // changed again meanwhile gives the question again.
    // `texts` AsTheyAre once the user agreed to save texts the file cannot give back.
    SaveResult save(const SaveResult &answered = {}, Texts texts = Texts::CheckFirst);
    // What the last load() found wrong with projects.txt as a whole, which a check of the pictures
    // reports too, until a save replaces the file.
    QList<CheckFinding> fileFindings() const { return m_fileFindings; }
    // Writes the three pages of the catalogue as it is now, saved or not.
    PublishResult publish() const;
    // What would make the published pages wrong, project by project, with each picture count as the
    // file holds it, as the command line's check reads it.
    QList<CheckFinding> check() const;

    // Showing the project at `position` sets its picture count to what its pictures on disk say.
    // The count it had is kept for check() until the next save writes the new one.
    void setShownPictureCount(qint16 position, qint16 pics);

    // Changes of the catalogue that the user may take back. Each makes the catalogue a state of
    // its own; taking a change back returns to the state it started from. perform() notes in
    // `edit` the states it leads from and to. False, and nothing changed, when the edit does not
    // fit the catalogue.
    bool perform(CatalogueEdit &edit, const QDateTime &madeAt = QDateTime::currentDateTimeUtc());
    bool undo(const CatalogueEdit &edit);
    bool redo(const CatalogueEdit &edit);

    // Whether the catalogue's content differs from what projects.txt held when it was read or last
    // saved, however it came back to it: a project added then deleted, moved down then up, or a
    // text typed back to what it was leaves it unmodified. Picture counts do not count: they follow
    // the pictures on disk, derived again at each selection.
    bool isModified() const;
    // Names the catalogue's present content among those of this run: equal states, equal content.
    quint64 state() const { return m_state; }

    // The edits that lead from projects.txt, as last read or saved, to the catalogue now, an undo
    // as the edit that takes the step back: empty whenever the catalogue is not modified.
    RecoveryJournal recoveryJournal() const;
    // The folder's absolute name by its bytes, one character a byte, which is what its journal goes
    // by: two names that are not UTF-8 and decode alike stay apart.
    QString journalFolder() const;

private:
    QString m_folder;
    QString m_pictureFolder;
    Catalogue m_catalogue;
    FileEncoding m_encoding = FileEncoding::Plain;
    FileIdentity m_identity;
    QList<CheckFinding> m_fileFindings;

    quint64 m_lastState = 0;
    quint64 m_state = 0;
    QList<RecoveryEntry> m_unsaved;

    void noteEdit(const CatalogueEdit &edit, const QDateTime &madeAt);

    // Content is compared by record identities, never by comparing every text: each record has
    // one, parallel to the catalogue, that moves with it, is new for an added record and comes back
    // with an undone delete. The catalogue is what was saved when the identities are those saved,
    // in order, and no field of a saved record holds other than its saved text.
    void resetRecords();
    void markSaved();
    void followEdit(const CatalogueEdit &edit, bool forward);
    void noteField(quint32 record, Field key, const QString &from, const QString &to);
    QList<quint32> m_records;
    QList<quint32> m_savedRecords;
    QBitArray m_saved; // by identity: whether the record was saved
    quint32 m_lastRecord = 0;
    // The saved text of each field of a saved record that now holds another, by identity and field.
    QHash<quint64, QString> m_savedTexts;
    // The picture count a record had before showing it changed the count, by identity.
    QHash<quint32, qint16> m_storedPics;
};
