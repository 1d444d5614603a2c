#pragma once

#include <QList>
#include <QObject>
#include <QVariant>

#include <memory>
#include <mutex>
#include <type_traits>

// Records a signal emitted on any thread, like QSignalSpy, but hands the arguments over through a
// standard mutex instead of Qt's event queue: Debian's Qt is not built for ThreadSanitizer, so a
// hand-over through its queue would look like a race. Reads take a copy under the same lock, so
// QTRY_COMPARE(spy.count(), n) can poll it from the test's thread.
class CrossThreadSpy
{
public:
    template <typename Sender, typename... Args>
    CrossThreadSpy(Sender *sender, void (Sender::*signal)(Args...)) : m_state(std::make_shared<State>())
    {
        // Without a receiver the slot runs on the emitting thread. It keeps the state alive, so an
        // emission still running while the spy goes away is safe.
        m_connection = QObject::connect(sender, signal, [state = m_state](Args... args) {
            const QVariantList call{toVariant(args)...};
            std::lock_guard<std::mutex> lock(state->mutex);
            state->calls.append(call);
        });
    }
    ~CrossThreadSpy() { QObject::disconnect(m_connection); }
    CrossThreadSpy(const CrossThreadSpy &) = delete;
    CrossThreadSpy &operator=(const CrossThreadSpy &) = delete;

    int count() const { return calls().size(); }
    QList<QVariantList> calls() const
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        return m_state->calls;
    }
    QVariantList at(int i) const { return calls().value(i); }
    QVariantList last() const { return calls().value(count() - 1); }

private:
    struct State
    {
        // The last emission may have released its reference inside Qt, where the checker cannot see the
        // hand-over: emptying the list under the lock orders it after that emission's append.
        ~State()
        {
            std::lock_guard<std::mutex> lock(mutex);
            calls.clear();
        }
        std::mutex mutex;
        QList<QVariantList> calls;
    };

    template <typename T> static QVariant toVariant(const T &value)
    {
        if constexpr (std::is_enum_v<T>)
            return int(value);
        else
            return QVariant::fromValue(value);
    }

    std::shared_ptr<State> m_state;
    QMetaObject::Connection m_connection;
};
