#pragma once

#include <QStringList>

// The controls of the diagram options, by the names their logic, their
// widgets and their tests use.
inline const QStringList& diagramOptionsControlNames()
{
    static const QStringList names = {
        QStringLiteral("dlgDiagramOptions"), QStringLiteral("frameMinimaMaxima"), QStringLiteral("chkSpannung"),
        QStringLiteral("chkStrom"),          QStringLiteral("chkKapazitaet"),     QStringLiteral("frameGrid"),
        QStringLiteral("chkXGrid"),          QStringLiteral("chkYGrid"),          QStringLiteral("frmAutoCalculate"),
        QStringLiteral("chkXAutomatisch"),   QStringLiteral("lblXVon"),           QStringLiteral("txtXVon"),
        QStringLiteral("lblXBis"),           QStringLiteral("txtXBis"),           QStringLiteral("chkYAutomatisch"),
        QStringLiteral("lblYVon"),           QStringLiteral("txtYVon"),           QStringLiteral("lblYBis"),
        QStringLiteral("txtYBis"),           QStringLiteral("OKButton"),          QStringLiteral("CancelButton"),
    };
    return names;
}
