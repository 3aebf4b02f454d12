#pragma once

#include <QtGlobal>
#include <memory>

class CommunicationProgram;
class QWidget;

// The diagram window as a channel window sees it: which series to draw, where
// that series lives and which charge or discharge of it.
class KanalDiagram {
public:
    struct Request {
        qint32 lMessReiheId = 0;  // the series
        bool bTempCreated = true; // true: a temporary series (TempMessWerte)
        qint32 lEndWertId = 0;    // MessWertId of the chosen end value; 0 the whole series
        std::shared_ptr<CommunicationProgram> cProg;
        QWidget* callerForm = nullptr; // the window that asks; its report is printed with the diagram
    };

    virtual ~KanalDiagram() = default;
    // Shows the loading notice, loads the diagram and shows it when it could
    // be drawn; true when it is shown.
    virtual bool showDiagram(const Request& request) = 0;
};
