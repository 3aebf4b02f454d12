#include "TestServices.h"

ProgramServices::Parts TestServices::merged(Parts parts, const Parts& changes)
{
    auto take = [](auto*& part, auto* change) {
        if (change)
            part = change;
    };
    take(parts.messages, changes.messages);
    take(parts.dialogs, changes.dialogs);
    take(parts.terminator, changes.terminator);
    take(parts.comPortDialog, changes.comPortDialog);
    take(parts.firstStartDialogs, changes.firstStartDialogs);
    take(parts.mainWindow, changes.mainWindow);
    take(parts.recordsHost, changes.recordsHost);
    take(parts.recordsNotifier, changes.recordsNotifier);
    take(parts.kanalDiagram, changes.kanalDiagram);
    take(parts.seriesDiagram, changes.seriesDiagram);
    take(parts.seriesProgramViewer, changes.seriesProgramViewer);
    take(parts.programViewerSource, changes.programViewerSource);
    take(parts.urlOpener, changes.urlOpener);
    return parts;
}
