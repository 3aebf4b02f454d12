#include "platform/Recordset.h"

#include "platform/Database.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
const QString kRowId = QStringLiteral("__velmoro_rowid");

QString updatableTable(const QString& sql)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*SELECT\\s+\\*\\s+FROM\\s+([A-Za-z_][A-Za-z0-9_]*)\\s*(?:$|;|WHERE\\b|ORDER\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    auto m = re.match(sql);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString withRowId(const QString& sql)
{
    static const QRegularExpression re(QStringLiteral("^\\s*SELECT\\s+\\*"), QRegularExpression::CaseInsensitiveOption);
    QString s = sql;
    s.replace(re, QStringLiteral("SELECT rowid AS %1, *").arg(kRowId));
    return s;
}

bool sameValue(const QVariant& a, const QVariant& b, Qt::CaseSensitivity cs)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString(), cs) == 0;
    return a == b;
}
} // namespace

Recordset::Recordset(Database& db, const QString& sql) : m_db(db), m_sql(sql)
{
    m_table = updatableTable(sql);
    // Prepare once so that a missing table or column shows at opening, as it
    // would with an engine that runs the query straight away.
    if (!m_db.isOpen())
        throw DatabaseError(QStringLiteral("Database is not open"));
    QSqlQuery q(m_db.handle());
    if (!q.prepare(m_table.isEmpty() ? m_sql : withRowId(m_sql)))
        throw DatabaseError(q.lastError().text() + QStringLiteral(" [") + m_sql + QLatin1Char(']'));
}

void Recordset::ensureColumns() const
{
    if (m_columnsKnown)
        return;
    if (!m_table.isEmpty()) {
        // Column names without reading any row.
        QSqlRecord rec = m_db.handle().record(m_table);
        if (!rec.isEmpty()) {
            m_columns.clear();
            m_columnIndex.clear();
            for (int i = 0; i < rec.count(); ++i) {
                m_columns << rec.fieldName(i);
                m_columnIndex.insert(rec.fieldName(i).toLower(), i);
            }
            m_columnsKnown = true;
            return;
        }
    }
    load();
}

void Recordset::load() const
{
    QSqlQuery q(m_db.handle());
    q.setForwardOnly(true);
    if (!q.exec(m_table.isEmpty() ? m_sql : withRowId(m_sql)))
        throw DatabaseError(q.lastError().text() + QStringLiteral(" [") + m_sql + QLatin1Char(']'));
    QSqlRecord rec = q.record();
    const int offset = m_table.isEmpty() ? 0 : 1;
    m_columns.clear();
    m_columnIndex.clear();
    for (int i = offset; i < rec.count(); ++i) {
        m_columns << rec.fieldName(i);
        // The first of two equally named columns wins, as with the original engine.
        if (!m_columnIndex.contains(rec.fieldName(i).toLower()))
            m_columnIndex.insert(rec.fieldName(i).toLower(), i - offset);
    }
    m_columnsKnown = true;
    m_rows.clear();
    while (q.next()) {
        QVariantList row;
        row.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row << q.value(i);
        m_rows.push_back(std::move(row));
    }
    m_loaded = true;
    m_pos = 0;
}

void Recordset::ensureLoaded() const
{
    if (!m_loaded)
        load();
}

void Recordset::requery()
{
    m_editMode = EditMode::None;
    m_pending.clear();
    load();
}

void Recordset::moveFirst()
{
    ensureLoaded();
    m_pos = 0;
}
void Recordset::moveLast()
{
    ensureLoaded();
    m_pos = m_rows.isEmpty() ? 0 : int(m_rows.size()) - 1;
}
void Recordset::moveNext()
{
    ensureLoaded();
    if (m_pos < int(m_rows.size()))
        ++m_pos;
}
void Recordset::movePrevious()
{
    ensureLoaded();
    if (m_pos >= 0)
        --m_pos;
}
bool Recordset::bof() const
{
    ensureLoaded();
    return m_rows.isEmpty() || m_pos < 0;
}
bool Recordset::eof() const
{
    ensureLoaded();
    return m_rows.isEmpty() || m_pos >= int(m_rows.size());
}
int Recordset::recordCount() const
{
    ensureLoaded();
    return int(m_rows.size());
}

void Recordset::setAbsolutePosition(int pos)
{
    ensureLoaded();
    m_pos = pos;
}

bool Recordset::findFirst(const std::function<bool(const Recordset&)>& criterion)
{
    ensureLoaded();
    const int saved = m_pos;
    for (int i = 0; i < int(m_rows.size()); ++i) {
        m_pos = i;
        if (criterion(*this)) {
            m_noMatch = false;
            return true;
        }
    }
    m_pos = saved;
    m_noMatch = true;
    return false;
}

bool Recordset::findFirst(const QString& fieldName, const QVariant& value, Qt::CaseSensitivity cs)
{
    ensureColumns();
    const int col = columnIndex(fieldName);
    return findFirst([&](const Recordset& rs) { return sameValue(rs.field(col), value, cs); });
}

QStringList Recordset::fieldNames() const
{
    ensureColumns();
    return m_columns;
}

bool Recordset::hasField(const QString& name) const
{
    ensureColumns();
    return m_columnIndex.contains(name.toLower());
}

int Recordset::columnIndex(const QString& name) const
{
    ensureColumns();
    auto it = m_columnIndex.constFind(name.toLower());
    if (it == m_columnIndex.constEnd())
        throw DatabaseError(QStringLiteral("Item not found in this collection: %1").arg(name));
    return it.value();
}

void Recordset::requireCurrent() const
{
    ensureLoaded();
    if (m_pos < 0 || m_pos >= int(m_rows.size()))
        throw DatabaseError(QStringLiteral("No current record."));
}

QVariant Recordset::field(const QString& name) const
{
    return field(columnIndex(name));
}

QVariant Recordset::field(int index) const
{
    if (m_editMode != EditMode::None && m_pending.contains(index))
        return m_pending.value(index);
    if (m_editMode == EditMode::Add)
        return {};
    requireCurrent();
    const int offset = m_table.isEmpty() ? 0 : 1;
    const QVariantList& row = m_rows.at(m_pos);
    if (index < 0 || index + offset >= row.size())
        throw DatabaseError(QStringLiteral("Item not found in this collection."));
    return row.at(index + offset);
}

void Recordset::setField(const QString& name, const QVariant& value)
{
    if (m_editMode == EditMode::None)
        throw DatabaseError(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    m_pending.insert(columnIndex(name), value);
}

void Recordset::addNew()
{
    if (!isUpdatable())
        throw DatabaseError(QStringLiteral("Database or object is read-only."));
    ensureColumns();
    m_editMode = EditMode::Add;
    m_pending.clear();
}

void Recordset::edit()
{
    if (!isUpdatable())
        throw DatabaseError(QStringLiteral("Database or object is read-only."));
    requireCurrent();
    m_editMode = EditMode::Edit;
    m_pending.clear();
}

void Recordset::cancelUpdate()
{
    m_editMode = EditMode::None;
    m_pending.clear();
}

void Recordset::update()
{
    if (m_editMode == EditMode::None)
        throw DatabaseError(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    QStringList names;
    QVariantList values;
    for (auto it = m_pending.constBegin(); it != m_pending.constEnd(); ++it) {
        names << QLatin1Char('"') + m_columns.at(it.key()) + QLatin1Char('"');
        values << it.value();
    }
    const EditMode mode = m_editMode;
    if (mode == EditMode::Add) {
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(m_table);
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                      .arg(m_table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        }
        m_db.exec(sql, values);
        m_lastModified = m_db.lastInsertId();
        if (m_loaded) {
            // The new row joins the end of the loaded rows, as in a dynaset.
            QVariantList row;
            QSqlQuery q(m_db.handle());
            q.prepare(QStringLiteral("SELECT rowid, * FROM \"%1\" WHERE rowid = ?").arg(m_table));
            q.addBindValue(m_lastModified);
            if (q.exec() && q.next()) {
                for (int i = 0; i < q.record().count(); ++i)
                    row << q.value(i);
                m_rows.push_back(row);
            }
        }
    } else {
        const QVariant rowid = m_rows.at(m_pos).at(0);
        if (!names.isEmpty()) {
            QStringList sets;
            for (const QString& n : names)
                sets << n + QStringLiteral("=?");
            values << rowid;
            m_db.exec(QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid=?").arg(m_table, sets.join(QLatin1Char(','))),
                      values);
            QVariantList& row = m_rows[m_pos];
            for (auto it = m_pending.constBegin(); it != m_pending.constEnd(); ++it)
                row[it.key() + 1] = it.value();
        }
        m_lastModified = rowid;
    }
    m_editMode = EditMode::None;
    m_pending.clear();
}
