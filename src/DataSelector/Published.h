#pragma once

#include <memory>
#include <mutex>
#include <utility>

// Holds the latest immutable settings of an object that the GUI thread edits and other threads read.
// The lock only guards the pointer swap and copy, never the work done with the settings.
template <typename T> class Published
{
public:
    explicit Published(std::shared_ptr<const T> initial = std::make_shared<const T>())
        : m_value(std::move(initial))
    {
    }
    Published(const Published &) = delete;
    Published &operator=(const Published &) = delete;

    std::shared_ptr<const T> load() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_value;
    }

    void store(std::shared_ptr<const T> value)
    {
        // The old settings are released outside the lock.
        std::shared_ptr<const T> old;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            old = std::exchange(m_value, std::move(value));
        }
    }

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<const T> m_value;
};
