#pragma once

#include <QString>

// Which running program keeps the journal of a catalogue folder: the first window opened on it.
// A second one, in this process or another of the same user, neither offers that journal's edits
// as recovered nor writes over it. The claim ends with the process, however it ends.
class JournalClaim
{
public:
    JournalClaim() = default;
    ~JournalClaim() { release(); }
    JournalClaim(const JournalClaim &) = delete;
    JournalClaim &operator=(const JournalClaim &) = delete;

    // False when another window holds the claim on `name`.
    bool claim(const QString &name);
    void release();

private:
    int m_socket = -1;
};
