#pragma once

#include "Vexa3dConnection.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A connection whose bytes come from memory instead of a socket: for replaying captured streams,
// fuzzing and tests. Written commands are kept and may be answered by a responder.
class Vexa3dMemoryConnection : public Vexa3dConnection
{
public:
    // Called for every write with the bytes written; it may feed() a reply.
    using Responder = std::function<void(const std::string &written, Vexa3dMemoryConnection &connection)>;

    int open(const char *host, int port) override;
    int close() override;
    // Moves at most chunkSize() pending bytes into the ring buffer.
    int receive() override;
    int write(const void *data, int length) override;

    // Queues bytes that later receive() calls deliver.
    void feed(const void *data, size_t length);
    void feed(const std::string &bytes) { feed(bytes.data(), bytes.size()); }
    size_t pendingBytes() const { return m_pending.size() - m_pendingOffset; }

    void setResponder(Responder responder) { m_responder = std::move(responder); }
    void setChunkSize(uint32_t bytes) { m_chunkSize = bytes ? bytes : 1; }
    uint32_t chunkSize() const { return m_chunkSize; }
    void setOpenResult(int result) { m_openResult = result; }
    bool isOpen() const { return m_open; }

    // Everything written since construction or the last clearWritten().
    const std::string &written() const { return m_written; }
    void clearWritten() { m_written.clear(); }

private:
    std::vector<uint8_t> m_pending;
    size_t m_pendingOffset = 0;
    std::string m_written;
    Responder m_responder;
    uint32_t m_chunkSize = 0xFFFFFFFFu;
    int m_openResult = 0;
    bool m_open = false;
};
