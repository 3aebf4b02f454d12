#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

class Database;

// A dynaset-like view of one query: a current row that moves first/last/next,
// find-first with a no-match result, fields by case-insensitive name, and
// add/edit/update written straight through to the table.
//
// Rows are read only when first needed, so a recordset over a large table that
// is only appended to (the measured values) costs nothing at start. A recordset
// is updatable when its query reads "SELECT * FROM <table> ...".
class Recordset {
public:
    Recordset(Database& db, const QString& sql);

    QString sql() const { return m_sql; }
    QString tableName() const { return m_table; }
    bool isUpdatable() const { return !m_table.isEmpty(); }

    // Re-runs the query; the current row becomes the first.
    void requery();

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool bof() const;
    bool eof() const;
    int recordCount() const;
    int absolutePosition() const { return m_pos; }
    void setAbsolutePosition(int pos);

    // Searches from the first row; on a match that row becomes current and
    // noMatch() is false, otherwise the current row stays where it was.
    bool findFirst(const std::function<bool(const Recordset&)>& criterion);
    bool findFirst(const QString& field, const QVariant& value, Qt::CaseSensitivity cs = Qt::CaseInsensitive);
    bool noMatch() const { return m_noMatch; }

    QStringList fieldNames() const;
    bool hasField(const QString& name) const;
    // The field of the current row (or of the row being added or edited).
    QVariant field(const QString& name) const;
    QVariant field(int index) const;
    void setField(const QString& name, const QVariant& value);

    void addNew();
    void edit();
    // Writes the row being added or edited. Throws DatabaseError on failure.
    void update();
    void cancelUpdate();
    // Identity (rowid) of the row written last by update().
    QVariant lastModified() const { return m_lastModified; }

private:
    void ensureLoaded() const;
    void load() const;
    void ensureColumns() const;
    int columnIndex(const QString& name) const;
    void requireCurrent() const;

    enum class EditMode { None, Add, Edit };

    Database& m_db;
    QString m_sql;
    QString m_table;
    mutable bool m_loaded = false;
    mutable bool m_columnsKnown = false;
    mutable QStringList m_columns;             // without the hidden rowid
    mutable QHash<QString, int> m_columnIndex; // lower-case name -> index
    mutable QVector<QVariantList> m_rows;      // first value of each row is the rowid when updatable
    mutable int m_pos = 0;
    bool m_noMatch = true;
    EditMode m_editMode = EditMode::None;
    QHash<int, QVariant> m_pending; // column -> new value
    QVariant m_lastModified;
};
