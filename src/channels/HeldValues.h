#pragma once

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

struct CommunicationEndwert;

// Values of one channel that could not be stored (a locked database, a full
// disk), kept in the order they came until the database takes writes again.
// Bounded: beyond the capacity the oldest value gives way.
class HeldValues {
public:
    struct Value {
        bool recorded = false; // MessWerte (a recorded series), else TempMessWerte
        qint32 series = -1;
        bool ew = false;
        QString text; // the stored-value text, with the time it came
        // An end value of the temporary series: it learns its row when written.
        std::shared_ptr<CommunicationEndwert> endwert;
    };
    // Writes one value and returns its row; raises on failure.
    using Writer = std::function<qint32(const Value&)>;

    explicit HeldValues(std::size_t capacity) : m_capacity(capacity) {}

    bool empty() const { return m_values.empty(); }
    std::size_t size() const { return m_values.size(); }
    std::size_t capacity() const { return m_capacity; }
    void setCapacity(std::size_t capacity) { m_capacity = capacity; }
    const std::deque<Value>& values() const { return m_values; }

    // Keeps a value behind the others; when full, the oldest is dropped and
    // returned (its loss is the caller's to note).
    std::optional<Value> hold(Value value);

    // Writes up to maxCount held values, oldest first, within one transaction
    // that `transaction` opens and commits (so a failure halfway writes none
    // of them twice later). Written values leave the queue and end values get
    // their row. Raises the writer's failure; then everything stays held.
    // Returns how many were written.
    std::size_t writeOldest(std::size_t maxCount, const Writer& write,
                            const std::function<void(const std::function<void()>&)>& transaction);

    bool holdsEndwert(const CommunicationEndwert* endwert) const;
    bool holdsTemporarySeries(qint32 series) const;

private:
    std::size_t m_capacity;
    std::deque<Value> m_values;
};
