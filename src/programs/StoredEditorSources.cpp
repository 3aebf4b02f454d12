#include "programs/StoredEditorSources.h"

#include "core/DatabaseModul.h"
#include "core/programSettings.h"
#include "platform/Recordset.h"
#include "programs/NamedPrograms.h"

#include <QSqlError>
#include <QSqlQuery>

QVector<ListEntry> StoredEditorSources::namedPrograms() const
{
    return NamedPrograms::list();
}

QVector<BatteryTypeRow> StoredEditorSources::batteryTypes() const
{
    QSqlQuery q(dbVelmoro.handle());
    q.setForwardOnly(true);
    if (!dbVelmoro.isOpen() || !q.exec(strSqlAkkutypen))
        throw DatabaseError(q.lastError().text() + QStringLiteral(" [") + strSqlAkkutypen + QLatin1Char(']'));
    QVector<BatteryTypeRow> rows;
    while (q.next()) {
        BatteryTypeRow t;
        t.nr = static_cast<qint16>(q.value(QStringLiteral("Nr")).toInt());
        t.nennspannung = q.value(QStringLiteral("Nennspannung")).toFloat();
        t.zmin = static_cast<qint16>(q.value(QStringLiteral("ZMin")).toInt());
        t.zmax = static_cast<qint16>(q.value(QStringLiteral("ZMax")).toInt());
        t.text = q.value(QStringLiteral("ResourceText")).toString();
        rows.push_back(t);
    }
    return rows;
}

QVector<ListEntry> StoredEditorSources::deviceModes() const
{
    return SqlLists::readEntries(dbVelmoro, strSqlGeraeteModi, QStringLiteral("ModusNr"),
                                 QStringLiteral("ResourceText"));
}

QVector<ListEntry> StoredEditorSources::cycleModes() const
{
    return SqlLists::readEntries(dbVelmoro, strSqlFormierModi, QStringLiteral("SendeCode"), QStringLiteral("Modus"));
}

std::optional<DeviceModeLayout> StoredEditorSources::deviceModeLayout(qint16 mode) const
{
    if (!rsGeraeteModi)
        return std::nullopt;
    rsGeraeteModi->moveFirst();
    const QString key = QString::number(mode);
    if (!rsGeraeteModi->findFirst(
            [&key](const Recordset& rs) { return rs.field(QStringLiteral("ModusNr")).toString() == key; }))
        return std::nullopt;
    auto flag = [](const char* column) { return rsGeraeteModi->field(QString::fromLatin1(column)).toBool(); };
    DeviceModeLayout layout;
    layout.chargeBlock = flag("LBlock");
    layout.dischargeBlock = flag("EBlock");
    layout.selfDischarge = flag("TSel");
    layout.cycleMode = flag("FormCbo");
    layout.period = flag("TageText");
    layout.chargeEnd = flag("Ladeschluss");
    layout.dischargeEnd = flag("Entladeschluss");
    return layout;
}

std::optional<ValueLimits> StoredEditorSources::limits(const QString& row) const
{
    if (!rsMinMaxWerte)
        return std::nullopt;
    rsMinMaxWerte->moveFirst();
    if (!rsMinMaxWerte->findFirst(
            [&row](const Recordset& rs) { return rs.field(QStringLiteral("Bez")).toString() == row; }))
        return std::nullopt;
    const QVariant lo = rsMinMaxWerte->field(QStringLiteral("Min"));
    const QVariant hi = rsMinMaxWerte->field(QStringLiteral("Max"));
    bool okLo = false, okHi = false;
    const float l = lo.isNull() ? 0.0f : lo.toFloat(&okLo);
    const float h = hi.isNull() ? 0.0f : hi.toFloat(&okHi);
    if (!okLo || !okHi)
        return std::nullopt;
    return ValueLimits{l, h};
}

QString StoredEditorSources::setting(const QString& key) const
{
    return objSettings().getSetting(key);
}
