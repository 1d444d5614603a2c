#pragma once

#include <cstdint>
#include <memory>

// Byte ring buffer of 2^order bytes that holds at most size - 1 bytes, so equal indices mean empty.
// Allocated once; never grows.
class Vexa3dRingBuffer
{
public:
    explicit Vexa3dRingBuffer(unsigned order = 17);
    Vexa3dRingBuffer(const Vexa3dRingBuffer &other);
    Vexa3dRingBuffer(Vexa3dRingBuffer &&other) noexcept;
    Vexa3dRingBuffer &operator=(const Vexa3dRingBuffer &other);
    Vexa3dRingBuffer &operator=(Vexa3dRingBuffer &&other) noexcept;
    ~Vexa3dRingBuffer() = default;

    // Stores n bytes and returns n, or 0 (storing nothing) when n >= size or they do not fit.
    uint32_t write(const void *data, uint32_t n);
    // All or nothing: returns 0 when fewer than n bytes are held.
    uint32_t read(void *destination, uint32_t n);
    uint32_t peek(void *destination, uint32_t n) const;
    // Drops n bytes (all or nothing), like read without a destination.
    uint32_t discard(uint32_t n);
    // The next n held bytes in place when they do not wrap, else null. Valid until the next write.
    const uint8_t *contiguous(uint32_t n) const
    {
        return n <= used() && m_readIndex + n <= m_size ? m_buffer.get() + m_readIndex : nullptr;
    }

    uint32_t used() const { return (m_writeIndex - m_readIndex) & m_mask; }
    uint32_t capacity() const { return m_size - 1; }
    uint32_t size() const { return m_size; }
    uint32_t readIndex() const { return m_readIndex; }
    uint32_t writeIndex() const { return m_writeIndex; }
    void clear() { m_readIndex = m_writeIndex = 0; }

private:
    void copyOut(void *destination, uint32_t n) const;

    std::unique_ptr<uint8_t[]> m_buffer;
    uint32_t m_size = 0;
    uint32_t m_reserved = 0;
    uint32_t m_readIndex = 0;
    uint32_t m_writeIndex = 0;
    uint32_t m_mask = 0;
};
