#pragma once

#include <cstddef>
#include <memory>

// A growable byte buffer written through raw pointers: reserve room, write, commit the end.
class CsvBuffer
{
public:
    // A pointer with at least n writable bytes after the current end.
    char *reserve(size_t n)
    {
        if (m_size + n > m_capacity)
            grow(m_size + n);
        return m_data.get() + m_size;
    }
    void commit(const char *end) { m_size = size_t(end - m_data.get()); }
    void append(const char *text, size_t n);

    const char *data() const { return m_data.get(); }
    size_t size() const { return m_size; }
    void clear() { m_size = 0; }

private:
    void grow(size_t needed);

    std::unique_ptr<char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
};
