#pragma once

#include <QStringList>

// The controls of the diagram window, by the names its widgets, its printout
// and its tests use.
inline const QStringList& diagrammControlNames()
{
    static const QStringList names = {
        QStringLiteral("frmDiagramm"),      QStringLiteral("frmAnsicht"),   QStringLiteral("frmCheckBoxes"),
        QStringLiteral("chkSpannung"),      QStringLiteral("chkStrom"),     QStringLiteral("chkKapazitaet"),
        QStringLiteral("frmButtons"),       QStringLiteral("cmdPrint"),     QStringLiteral("cmdPrintDiagram"),
        QStringLiteral("cmdEinstellungen"), QStringLiteral("cmdOk"),        QStringLiteral("auswertungsChart"),
        QStringLiteral("lblLoading"),       QStringLiteral("printPicture"),
    };
    return names;
}
