#pragma once

#include "fileidentity.h"

#include <QString>
#include <QStringList>

class QDebug;

// What reading projects.txt came to, with what the start-up tells the user about it.
struct LoadResult
{
    enum class Outcome {
        Read, // whole
        RecordsDropped, // read, but the records past the catalogue's limit were left out
        NoProject, // text from which no project could be read: the catalogue is empty
        Unreadable, // not read at all (reason): the catalogue is empty
        Missing, // no file: the first run's record is made, and the first save is due
    };

    Outcome outcome = Outcome::Read;
    QStringList messages; // in the order they are shown; the first run's saying so comes last
    QString reason; // why the file could not be read
    qsizetype droppedRecords = 0;

    bool firstSaveDue() const { return outcome == Outcome::Missing; }
};

// What Save All came to. A question is asked before replacing a file that is no longer what was
// read or last saved, or that has another name; the caller asks it and, when the user agrees, saves
// again with the answered result, which replaces only the version of the file that was asked about.
// Another is asked before writing a text that the file cannot give back as it is.
struct SaveResult
{
    enum class Outcome { Saved, Question, Failed, TextNotKept };
    enum class Question { None, Changed, OtherNames };

    Outcome outcome = Outcome::Saved;
    QString message; // the question, or the failure as the user is told; empty when saved
    QString reason; // why the file was not replaced, in the file's own words
    Question question = Question::None;
    FileIdentity version; // the file as it stood when the question was asked

    bool saved() const { return outcome == Outcome::Saved; }
};

// What Build Pages came to.
struct PublishResult
{
    bool built = true;
    QString message; // "Pages Built", or the failure as the window shows it
    QString failedPage; // the path of the page that stopped the others
    QString reason; // why that page could not be written
};

bool operator==(const LoadResult &a, const LoadResult &b);
bool operator==(const SaveResult &a, const SaveResult &b);
bool operator==(const PublishResult &a, const PublishResult &b);
QDebug operator<<(QDebug debug, const LoadResult &result);
QDebug operator<<(QDebug debug, const SaveResult &result);
QDebug operator<<(QDebug debug, const PublishResult &result);
