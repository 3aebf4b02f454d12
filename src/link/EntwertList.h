#pragma once

#include "link/CommunicationEndwert.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <vector>

// The ordered end values of one end-value reply, and the parser of that reply.
//
// Records are held by shared pointer: a record added to two lists is the same
// record in both, and whoever keeps a record keeps it alive. Positions are
// 1-based; keys are compared without regard to case and are unique.
//
// End-value reply: channel, "D", then one or more groups of
//   type ("SL", "SE", other), K+5 digits, T+digits, V+5 digits, [Y+5 digits], [X+1 digit], [P+3 digits]
// and the empty element after the final ",".
class EntwertList {
public:
    using Record = std::shared_ptr<CommunicationEndwert>;

    // Appends the record (under sKey as well when sKey is not empty) and returns it.
    // A null record, or a key already in use, adds nothing and returns nullptr.
    Record Add(Record comEndwert, const QString& sKey = QString());
    // The record at the 1-based position, or under the key; nullptr when there is none.
    Record Item(qsizetype vntIndex) const;
    Record Item(const QString& vntKey) const;
    qsizetype Count() const { return static_cast<qsizetype>(m_records.size()); }
    // Removes one record; false when there was none at that position or key.
    bool Remove(qsizetype vntIndex);
    bool Remove(const QString& vntKey);
    void RemoveAll();

    // Walks the records in order: for (const auto& endwert : list).
    auto begin() const { return m_records.cbegin(); }
    auto end() const { return m_records.cend(); }

    // Parses a reply text as the link returned it (empty, "-1" or a payload);
    // the caller's text is replaced by its trimmed form. True when the reply
    // gave a list: its end values are appended to this list. False for no
    // list; the list is then as it was before the call.
    bool splitRecievedString(QString& recieveString);
    bool splitRecievedString(QString&& recieveString) { return splitRecievedString(recieveString); }

    // The same for a reply already split at ",", whose second element the
    // caller found to be "D".
    bool evaluateSplitedMembers(const QStringList& strSubStrings);
    bool evaluateSplitedMembers(const QList<QStringView>& strSubStrings);

private:
    qsizetype indexOfKey(const QString& key) const;
    void truncate(qsizetype count);

    std::vector<Record> m_records;
    std::vector<QString> m_keys; // parallel to m_records; empty for a record without key
};
