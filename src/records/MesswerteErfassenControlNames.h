#pragma once

#include <QStringList>

// The controls of the batteries and series dialog, by the names its logic,
// its widgets and its tests use.
inline const QStringList& messwerteErfassenControlNames()
{
    static const QStringList names = {
        QStringLiteral("dlgMesswerteErfassen"),
        QStringLiteral("lblMesswerteErfassen"),
        QStringLiteral("cboAkkus"),
        QStringLiteral("cmdNeuerAkku"),
        QStringLiteral("Frame1"),
        QStringLiteral("dbGrid"),
        QStringLiteral("cmdNeueMessreihe"),
        QStringLiteral("cmdKeineErfassung"),
        QStringLiteral("frameErfassung"),
        QStringLiteral("optSofort"),
        QStringLiteral("optNaechster"),
        QStringLiteral("lblMessVerwaltung"),
        QStringLiteral("cmdAkkuLoeschen"),
        QStringLiteral("cmdMessReiheLoeschen"),
        QStringLiteral("cmdMessReiheAnzeigen"),
        QStringLiteral("cmdCancel"),
    };
    return names;
}
