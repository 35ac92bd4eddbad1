#include "chunkedoutput.h"

#include "codepage.h"

#include <QIODevice>

#include <system_error>

ChunkedOutput::ChunkedOutput(QIODevice &device)
    : m_device(device), m_buffers{std::make_unique<char[]>(FirstCapacity), nullptr}, m_buffer(m_buffers[0].get())
{}

ChunkedOutput::~ChunkedOutput()
{
    stopWriting();
}

void ChunkedOutput::appendAcrossChunks(const char *data, qsizetype size)
{
    while (size > 0) {
        if (m_used == m_capacity)
            makeRoom();
        const qsizetype piece = qMin(size, m_capacity - m_used);
        std::memcpy(m_buffer + m_used, data, size_t(piece));
        m_used += piece;
        data += piece;
        size -= piece;
    }
}

void ChunkedOutput::appendNumber(qint64 number)
{
    char digits[24];
    char *end = digits + sizeof digits;
    char *p = end;
    // Counted in the negative range, which holds every qint64 including the smallest.
    qint64 rest = number < 0 ? number : -number;
    do {
        *--p = char('0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (number < 0)
        *--p = '-';
    append(p, end - p);
}

qsizetype ChunkedOutput::appendRepresentable(QStringView text, bool *nonAscii)
{
    qsizetype done = 0;
    while (done < text.size()) {
        if (m_used == m_capacity)
            makeRoom();
        const qsizetype piece = qMin(text.size() - done, m_capacity - m_used);
        const qsizetype converted = CodePage::toWindows1252(text.sliced(done, piece), m_buffer + m_used, nonAscii);
        m_used += converted;
        done += converted;
        if (converted < piece)
            break;
    }
    return done;
}

bool ChunkedOutput::appendWindows1252(QStringView text, bool *nonAscii)
{
    return appendRepresentable(text, nonAscii) == text.size();
}

void ChunkedOutput::appendAsciiWithReferences(QStringView text)
{
    while (!text.isEmpty()) {
        qsizetype piece = qMin(text.size(), (m_capacity - m_used) / CodePage::LongestReference);
        if (piece == 0) {
            makeRoom();
            continue;
        }
        // A surrogate pair is one reference, so it stays in one piece.
        if (piece < text.size() && text.at(piece - 1).isHighSurrogate() && text.at(piece).isLowSurrogate())
            ++piece;
        m_used += CodePage::toAsciiWithReferences(text.first(piece), m_buffer + m_used);
        text = text.sliced(piece);
    }
}

void ChunkedOutput::write(const char *data, qsizetype size)
{
    if (m_detector && !m_detector->decided())
        m_detector->feed(data, size);
    // A write that stops short (a full disk) is tried again for the rest, so that the failing
    // write reports why: a short write alone leaves the device without an error.
    for (qsizetype done = 0; m_ok && done < size;) {
        const qint64 written = m_device.write(data + done, size - done);
        m_ok = written > 0;
        done += written;
    }
}

void ChunkedOutput::waitUntilWritten(std::unique_lock<std::mutex> &lock)
{
    m_changed.wait(lock, [this] { return m_handed == nullptr; });
}

void ChunkedOutput::writeHandedBuffers()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_handed != nullptr || m_stopping; });
        if (m_handed == nullptr)
            return;
        const char *data = m_handed;
        const qsizetype size = m_handedSize;
        lock.unlock();
        write(data, size);
        lock.lock();
        m_handed = nullptr;
        m_changed.notify_all();
    }
}

// Most files are far smaller than a megabyte, so the first buffer starts small and grows: a small
// file then costs about its own size, not a megabyte each time.
void ChunkedOutput::makeRoom()
{
    if (m_capacity == Capacity) {
        flush();
        return;
    }
    const qsizetype grown = qMin(m_capacity * 4, Capacity);
    auto bigger = std::make_unique<char[]>(size_t(grown));
    std::memcpy(bigger.get(), m_buffer, size_t(m_used));
    m_buffers[0] = std::move(bigger);
    m_buffer = m_buffers[0].get();
    m_capacity = grown;
}

void ChunkedOutput::flush()
{
    if (!m_writer.joinable() && !m_alone) {
        try {
            m_buffers[1] = std::make_unique<char[]>(Capacity);
            m_writer = std::thread(&ChunkedOutput::writeHandedBuffers, this);
        } catch (const std::system_error &) {
            // No thread to be had: the file is still written, only without the overlap.
            m_alone = true;
        }
    }
    if (m_alone) {
        write(m_buffer, m_used);
        m_used = 0;
        return;
    }
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        waitUntilWritten(lock);
        m_handed = m_buffer;
        m_handedSize = m_used;
    }
    m_changed.notify_all();
    m_current = 1 - m_current;
    m_buffer = m_buffers[m_current].get();
    m_used = 0;
}

void ChunkedOutput::stopWriting()
{
    if (!m_writer.joinable())
        return;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        waitUntilWritten(lock);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_writer.join();
}

bool ChunkedOutput::finish()
{
    // The last piece is written here, after the buffer before it: a small file never starts the
    // writing thread at all.
    stopWriting();
    write(m_buffer, m_used);
    m_used = 0;
    return m_ok;
}
