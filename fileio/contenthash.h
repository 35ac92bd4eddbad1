#pragma once

#include <QIODevice>

#include <array>
#include <optional>

// A fingerprint of a file's bytes, cheap enough to take while the file is read or written anyway:
// it tells a file that was only touched from one whose bytes changed. Bytes added in any pieces
// give the same value as the same bytes added at once.
class ContentHash
{
public:
    void add(const char *data, qsizetype size);
    quint64 value() const;
    qint64 size() const { return m_size; }

    // The hash of what is left to read of `device`; nothing when a read fails.
    static std::optional<ContentHash> of(QIODevice &device);

private:
    static constexpr qsizetype Block = 4096;

    size_t m_state = 0x9E3779B97F4A7C15u;
    qint64 m_size = 0;
    qsizetype m_pendingSize = 0;
    std::array<char, Block> m_pending;
};

// Reads `source` for a reader and hashes each byte the first time it passes, so that a reader that
// goes back and reads a part again still gets the hash of the file's bytes, once and in order.
class HashingReader : public QIODevice
{
public:
    explicit HashingReader(QIODevice &source);

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_source.size(); }
    bool seek(qint64 position) override { return QIODevice::seek(position) && m_source.seek(position); }
    // The bytes from the start up to the furthest point read.
    const ContentHash &hash() const { return m_hash; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &m_source;
    ContentHash m_hash;
};
