#include "channels/KanalControls.h"

const QStringList& kanalControlNames()
{
    static const QStringList names{
        // Commands.
        QStringLiteral("cmdProgram"),
        QStringLiteral("cmdMesswert"),
        QStringLiteral("cmdDruck"),
        QStringLiteral("cmdDiagramme"),
        // The running program.
        QStringLiteral("frameAkkuprogramm"),
        QStringLiteral("lblAkkutyp"),
        QStringLiteral("txtAkkuTyp"),
        QStringLiteral("lblMode"),
        QStringLiteral("txtMode"),
        QStringLiteral("lblNennkapazitaet"),
        QStringLiteral("txtNennKapazitaet"),
        // Status and live values.
        QStringLiteral("frameStatus"),
        QStringLiteral("txtStatus"),
        QStringLiteral("lblStrom"),
        QStringLiteral("txtStrom"),
        QStringLiteral("lblSpannung"),
        QStringLiteral("txtSpannung"),
        QStringLiteral("lblKapazitaet"),
        QStringLiteral("txtKapazitaet"),
        // End values, battery condition, self-discharge and remark of the series.
        QStringLiteral("frameAkkumesswerte"),
        QStringLiteral("lblMesswerteNachLaden"),
        QStringLiteral("lstEndwertLaden"),
        QStringLiteral("lblLadenNr"),
        QStringLiteral("lblLadenAh"),
        QStringLiteral("lblLadenVolt"),
        QStringLiteral("lblLadenMin"),
        QStringLiteral("lblMesswerteNachEntladen"),
        QStringLiteral("lstEndwertEntladen"),
        QStringLiteral("lblEntladenNr"),
        QStringLiteral("lblEntladenAh"),
        QStringLiteral("lblEntladenVolt"),
        QStringLiteral("lblEntladenMin"),
        QStringLiteral("lblAkkuzustand"),
        QStringLiteral("txtAkkuzustand"),
        QStringLiteral("lblSelbstentladung"),
        QStringLiteral("txtSelbstentladung"),
        QStringLiteral("lblBemerkungen"),
        QStringLiteral("txtBemerkung"),
    };
    return names;
}

QString kanalWindowName(int channel)
{
    return channel == 1 ? QStringLiteral("frmKanal") : QStringLiteral("frmKanal") + QString::number(channel);
}

bool isKanalWindowName(const QString& name)
{
    for (int channel = 1; channel <= 4; ++channel)
        if (name == kanalWindowName(channel))
            return true;
    return false;
}
