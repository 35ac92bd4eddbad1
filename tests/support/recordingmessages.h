#pragma once

#include "messageservice.h"

#include <QStringList>

#include <functional>
#include <utility>

// Keeps every message and question the program would have shown, in order, instead of showing it;
// a question is answered `replace`, one before losing changes `answer`, one on recovered edits
// `recovery`, one before saving what the file changes `saveAnyway`, one on starting a catalogue the
// next of `newCatalogue`, the offer to show built pages `showPages`.
class RecordingMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { texts.append(text); }
    // Recorded as one text: the heading, then each reason on a line of its own.
    void showSkippedFiles(const QString &heading, const QStringList &reasons) override
    {
        texts.append(heading + QLatin1Char('\n') + reasons.join(QLatin1Char('\n')));
    }
    bool askToReplace(const QString &text) override
    {
        texts.append(text);
        const bool answer = replace;
        if (whileAsking)
            std::exchange(whileAsking, {})();
        return answer;
    }
    Answer askToSave(const QString &text) override
    {
        texts.append(text);
        return answer;
    }
    Recovery askToRestore(const QString &text) override
    {
        texts.append(text);
        return recovery;
    }
    bool askToSaveAnyway(const QString &text) override
    {
        texts.append(text);
        return saveAnyway;
    }
    NewCatalogue askToStartCatalogue(const QString &text) override
    {
        texts.append(text);
        return newCatalogue.isEmpty() ? NewCatalogue::Cancel : newCatalogue.takeFirst();
    }
    bool offerToShowPages(const QString &text) override
    {
        texts.append(text);
        return showPages;
    }
    bool askToGoAhead(const QString &text, const QString &) override
    {
        texts.append(text);
        return goAhead;
    }
    QStringList texts;
    bool goAhead = false;
    bool replace = false;
    std::function<void()> whileAsking; // done once, as the first question waits for its answer
    bool saveAnyway = false;
    Answer answer = Answer::Cancel;
    Recovery recovery = Recovery::Restore;
    QList<NewCatalogue> newCatalogue; // answered in turn; none left is Cancel
    bool showPages = false;
};
