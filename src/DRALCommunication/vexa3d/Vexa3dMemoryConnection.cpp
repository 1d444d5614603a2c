#include "Vexa3dMemoryConnection.h"

#include <algorithm>

int Vexa3dMemoryConnection::open(const char *host, int port)
{
    (void)host;
    (void)port;
    m_open = m_openResult == 0;
    return m_openResult;
}

int Vexa3dMemoryConnection::close()
{
    if (!m_open)
        return -1;
    m_open = false;
    return 0;
}

int Vexa3dMemoryConnection::receive()
{
    const size_t room = m_ringBuffer.capacity() - m_ringBuffer.used();
    const size_t n = std::min({pendingBytes(), room, size_t(m_chunkSize)});
    if (n == 0)
        return 0;
    m_ringBuffer.write(m_pending.data() + m_pendingOffset, uint32_t(n));
    m_pendingOffset += n;
    if (m_pendingOffset == m_pending.size()) {
        m_pending.clear();
        m_pendingOffset = 0;
    }
    return int(n);
}

int Vexa3dMemoryConnection::write(const void *data, int length)
{
    if (!data || length < 0)
        return -1;
    const std::string bytes(static_cast<const char *>(data), size_t(length));
    m_written += bytes;
    if (m_responder)
        m_responder(bytes, *this);
    return length;
}

void Vexa3dMemoryConnection::feed(const void *data, size_t length)
{
    if (!data || length == 0)
        return;
    const uint8_t *p = static_cast<const uint8_t *>(data);
    m_pending.insert(m_pending.end(), p, p + length);
}
