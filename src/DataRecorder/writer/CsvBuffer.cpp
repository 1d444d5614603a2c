#include "CsvBuffer.h"

#include <algorithm>
#include <cstring>

void CsvBuffer::append(const char *text, size_t n)
{
    char *p = reserve(n);
    std::memcpy(p, text, n);
    m_size += n;
}

void CsvBuffer::grow(size_t needed)
{
    const size_t capacity = std::max(needed, std::max<size_t>(m_capacity * 2, 4096));
    std::unique_ptr<char[]> data(new char[capacity]);
    if (m_size)
        std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}
