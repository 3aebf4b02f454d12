#include "channels/HeldValues.h"

#include "link/CommunicationEndwert.h"

#include <vector>

std::optional<HeldValues::Value> HeldValues::hold(Value value)
{
    std::optional<Value> dropped;
    if (m_capacity == 0)
        return value;
    if (m_values.size() >= m_capacity) {
        dropped = std::move(m_values.front());
        m_values.pop_front();
    }
    m_values.push_back(std::move(value));
    return dropped;
}

std::size_t HeldValues::writeOldest(std::size_t maxCount, const Writer& write,
                                    const std::function<void(const std::function<void()>&)>& transaction)
{
    const std::size_t count = std::min(maxCount, m_values.size());
    if (count == 0)
        return 0;
    std::vector<qint32> rows;
    rows.reserve(count);
    transaction([&] {
        for (std::size_t i = 0; i < count; ++i)
            rows.push_back(write(m_values[i]));
    });
    // Committed: only now do the values leave the queue.
    for (std::size_t i = 0; i < count; ++i) {
        if (m_values.front().endwert)
            m_values.front().endwert->TempID = rows[i];
        m_values.pop_front();
    }
    return count;
}

bool HeldValues::holdsEndwert(const CommunicationEndwert* endwert) const
{
    for (const Value& v : m_values)
        if (v.endwert.get() == endwert)
            return true;
    return false;
}

bool HeldValues::holdsTemporarySeries(qint32 series) const
{
    for (const Value& v : m_values)
        if (!v.recorded && v.series == series)
            return true;
    return false;
}
