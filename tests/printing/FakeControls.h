#pragma once

#include "printing/ControlReader.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// A window of named controls for the report: only the names it was given
// exist, so a misspelt name in the report fails instead of reading "".
class FakeControls : public ControlReader {
public:
    QHash<QString, QString> texts;
    QHash<QString, int> values;
    QHash<QString, QStringList> lists;
    QSet<QString> hidden;
    QString caption;
    mutable QSet<QString> read;

    bool hasControl(const QString& name) const override
    {
        return texts.contains(name) || values.contains(name) || lists.contains(name);
    }
    QString controlText(const QString& name) const override { return get(name, texts.value(name)); }
    bool isControlVisible(const QString& name) const override { return get(name, !hidden.contains(name)); }
    int controlValue(const QString& name) const override { return get(name, values.value(name)); }
    int listCount(const QString& name) const override { return int(get(name, lists.value(name)).size()); }
    QString listItem(const QString& name, int row) const override { return get(name, lists.value(name).value(row)); }
    QString windowCaption() const override { return caption; }

private:
    template <class T>
    T get(const QString& name, T value) const
    {
        if (!hasControl(name))
            throw std::logic_error("no control " + name.toStdString());
        read.insert(name);
        return value;
    }
};

// A channel window's controls with captions as a window shows them.
inline FakeControls channelWindow(const QStringList& charges = {}, const QStringList& discharges = {})
{
    FakeControls w;
    w.caption = QStringLiteral("Channel 1");
    const char* const captions[][2] = {
        {"frameAkkuprogramm", "Battery program"},
        {"lblAkkutyp", "Battery type:"},
        {"lblMode", "Mode:"},
        {"lblNennkapazitaet", "Nominal capacity:"},
        {"txtAkkuTyp", "NiMH"},
        {"frameAkkumesswerte", "Measured values - Battery A / 3"},
        {"lblMesswerteNachLaden", "After charge"},
        {"lblMesswerteNachEntladen", "After discharge"},
        {"lblLadenNr", "No."},
        {"lblLadenAh", "Ah"},
        {"lblLadenVolt", "Volt"},
        {"lblLadenMin", "Min"},
        {"lblEntladenNr", "No."},
        {"lblEntladenAh", "Ah"},
        {"lblEntladenVolt", "Volt"},
        {"lblEntladenMin", "Min"},
        {"lblAkkuzustand", "Condition:"},
        {"lblSelbstentladung", "Self-discharge:"},
        {"lblBemerkungen", "Remarks:"},
        {"txtAkkuzustand", "good (87%)"},
        {"txtSelbstentladung", "12 mAh"},
        {"txtBemerkung", "series remark"},
    };
    for (const auto& c : captions)
        w.texts[QString::fromLatin1(c[0])] = QString::fromUtf8(c[1]);
    w.lists[QStringLiteral("lstEndwertLaden")] = charges;
    w.lists[QStringLiteral("lstEndwertEntladen")] = discharges;
    return w;
}

// The filled program viewer of a NiMH program with a self-discharge test.
inline FakeControls programViewer()
{
    FakeControls v;
    const char* const texts[][2] = {
        {"optVorgSpannung", "Preset end voltages"},
        {"cboAkkuType", "NiMH"},
        {"lblZellenzahl", "Cells"},
        {"cboZellenzahl", "6"},
        {"lblNennSpannung", "Nominal voltage"},
        {"cboNennSpannung", "7.200 V"},
        {"lblLadeSchlussSpannung", "Charge end"},
        {"txtLadeschlussSpannung", "8.400"},
        {"lblEntladeschlussSpannung", "Discharge end"},
        {"txtEntladeschlussSpannung", "6.000"},
        {"cboGeraeteModi", "Cycle"},
        {"cboModeZyklus", "3 cycles"},
        {"txtZeitraum", "30"},
        {"lblZeitraum", " days"},
        {"txtKapazitaetAh", "2.300"},
        {"txtLadestrom", "1.000"},
        {"txtEntladestrom", "0.500"},
        {"chkSelbstentladung", "Self-discharge test"},
        {"lblSelbstentladungNach", "after"},
        {"txtSelbstentladungsZeitraum", " 12 "},
        {"optSelbstentladungStunden", "hours"},
        {"optSelbstentladungTage", "days"},
    };
    for (const auto& t : texts)
        v.texts[QString::fromLatin1(t[0])] = QString::fromUtf8(t[1]);
    v.values[QStringLiteral("optAkkuTyp")] = 1;
    v.values[QStringLiteral("optVorgSpannung")] = 0;
    v.values[QStringLiteral("chkSollKapazitaet")] = 1;
    v.values[QStringLiteral("chkSelbstentladung")] = 1;
    v.values[QStringLiteral("optSelbstentladungStunden")] = 1;
    v.values[QStringLiteral("optSelbstentladungTage")] = 0;
    v.hidden << QStringLiteral("txtZeitraum");
    return v;
}
