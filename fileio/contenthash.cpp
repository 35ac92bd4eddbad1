#include "contenthash.h"

#include <QHashFunctions>

#include <cstring>

// Hashed a block at a time whatever the pieces, each block seeded with the hash so far; a seed that
// is not zero also lets Qt take its fastest hash where the processor has one.
void ContentHash::add(const char *data, qsizetype size)
{
    m_size += size;
    if (m_pendingSize > 0) {
        const qsizetype piece = qMin(size, Block - m_pendingSize);
        std::memcpy(m_pending.data() + m_pendingSize, data, size_t(piece));
        m_pendingSize += piece;
        data += piece;
        size -= piece;
        if (m_pendingSize < Block)
            return;
        m_state = qHashBits(m_pending.data(), Block, m_state);
        m_pendingSize = 0;
    }
    const qsizetype whole = size - size % Block;
    for (qsizetype at = 0; at < whole; at += Block)
        m_state = qHashBits(data + at, Block, m_state);
    m_pendingSize = size - whole;
    std::memcpy(m_pending.data(), data + whole, size_t(m_pendingSize));
}

quint64 ContentHash::value() const
{
    return qHashBits(m_pending.data(), size_t(m_pendingSize), m_state ^ size_t(m_size));
}

std::optional<ContentHash> ContentHash::of(QIODevice &device)
{
    ContentHash hash;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = device.read(block.data(), block.size());
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return hash;
        hash.add(block.constData(), got);
    }
}

HashingReader::HashingReader(QIODevice &source) : m_source(source)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 HashingReader::readData(char *data, qint64 maxSize)
{
    const qint64 at = pos();
    const qint64 got = m_source.read(data, maxSize);
    const qint64 hashed = m_hash.size();
    if (got > 0 && at <= hashed && at + got > hashed)
        m_hash.add(data + (hashed - at), got - (hashed - at));
    if (got < 0)
        setErrorString(m_source.errorString());
    return got;
}
