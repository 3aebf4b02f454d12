#pragma once

#include <QStringList>

// The controls of the stored series window, by the names its logic, its
// widgets, its printout and its tests use.
inline const QStringList& kanalBearbeitenControlNames()
{
    static const QStringList names = {
        QStringLiteral("frmKanalBearbeiten"),
        QStringLiteral("cmdProgram"),
        QStringLiteral("cmdDruck"),
        QStringLiteral("cmdDiagramme"),
        QStringLiteral("cmdOk"),
        QStringLiteral("frameAkkuprogramm"),
        QStringLiteral("lblAkkutyp"),
        QStringLiteral("txtAkkuTyp"),
        QStringLiteral("lblMode"),
        QStringLiteral("txtMode"),
        QStringLiteral("lblNennkapazitaet"),
        QStringLiteral("txtNennKapazitaet"),
        QStringLiteral("frameAkkumesswerte"),
        QStringLiteral("lblMesswerteNachLaden"),
        QStringLiteral("lblLadenNr"),
        QStringLiteral("lblLadenAh"),
        QStringLiteral("lblLadenVolt"),
        QStringLiteral("lblLadenMin"),
        QStringLiteral("lstEndwertLaden"),
        QStringLiteral("lblMesswerteNachEntladen"),
        QStringLiteral("lblEntladenNr"),
        QStringLiteral("lblEntladenAh"),
        QStringLiteral("lblEntladenVolt"),
        QStringLiteral("lblEntladenMin"),
        QStringLiteral("lstEndwertEntladen"),
        QStringLiteral("lblAkkuzustand"),
        QStringLiteral("txtAkkuzustand"),
        QStringLiteral("lblSelbstentladung"),
        QStringLiteral("txtSelbstentladung"),
        QStringLiteral("lblBemerkungen"),
        QStringLiteral("txtBemerkung"),
    };
    return names;
}
