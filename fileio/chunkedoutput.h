#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QStringView>

#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

class QIODevice;

namespace CodePage {
class Utf8Detector;
}

// Collects a file's bytes in a buffer and hands it to the device whenever it is full: the device
// sees a few large writes of memory that is still in the cache, and a file of any size is never
// held whole in memory. Once a file outgrows one buffer, a second thread writes each full buffer
// while the next one fills, so the time of writing hides behind the time of encoding.
class ChunkedOutput
{
public:
    explicit ChunkedOutput(QIODevice &device);
    ~ChunkedOutput();
    ChunkedOutput(const ChunkedOutput &) = delete;
    ChunkedOutput &operator=(const ChunkedOutput &) = delete;

    void append(const char *data, qsizetype size)
    {
        if (size <= m_capacity - m_used) {
            std::memcpy(m_buffer + m_used, data, size_t(size));
            m_used += size;
            return;
        }
        appendAcrossChunks(data, size);
    }
    void append(QLatin1String text) { append(text.data(), text.size()); }
    void append(const QByteArray &bytes) { append(bytes.constData(), bytes.size()); }
    void appendNumber(qint64 number);

    // False, with the characters before it appended, at the first character Windows-1252
    // cannot hold. `nonAscii` is set when a byte above 0x7F was appended.
    bool appendWindows1252(QStringView text, bool *nonAscii = nullptr);

    // For pages, in ASCII whatever charset a web server declares for them: every other character
    // becomes a numeric character reference such as "&#233;", one per code point.
    void appendAsciiWithReferences(QStringView text);

    // Shows every byte handed to the device to `detector`, until it has decided.
    void watch(CodePage::Utf8Detector *detector) { m_detector = detector; }

    // Writes what is left; false when any write failed.
    bool finish();

private:
    static constexpr qsizetype Capacity = 1 << 20;
    static constexpr qsizetype FirstCapacity = 4096;

    void appendAcrossChunks(const char *data, qsizetype size);
    // How many leading characters of `text` were appended: all, or up to the first that
    // Windows-1252 cannot hold.
    qsizetype appendRepresentable(QStringView text, bool *nonAscii);
    // Grows the first buffer while it is under a megabyte, otherwise flushes.
    void makeRoom();
    // Hands the full buffer to the writing thread and goes on in the other one.
    void flush();
    void write(const char *data, qsizetype size);
    void writeHandedBuffers();
    void waitUntilWritten(std::unique_lock<std::mutex> &lock);
    void stopWriting();

    QIODevice &m_device;
    std::unique_ptr<char[]> m_buffers[2];
    int m_current = 0;
    char *m_buffer;
    qsizetype m_capacity = FirstCapacity;
    qsizetype m_used = 0;
    CodePage::Utf8Detector *m_detector = nullptr;
    bool m_ok = true; // changed by the writing thread only while it holds a buffer

    std::thread m_writer;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    const char *m_handed = nullptr; // the buffer the writing thread holds, if any
    qsizetype m_handedSize = 0;
    bool m_stopping = false;
    bool m_alone = false; // no writing thread could be started
};
