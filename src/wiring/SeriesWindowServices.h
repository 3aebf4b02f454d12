#pragma once

#include <QtGlobal>
#include <memory>

class CommunicationProgram;
class QWidget;

// What the stored series window needs of the program viewer: show a program
// read-only, modal, owned by the given window.
class SeriesProgramViewer {
public:
    virtual ~SeriesProgramViewer() = default;
    virtual void showProgram(QWidget* owner, const std::shared_ptr<CommunicationProgram>& program) = 0;
};

// What the stored series window needs of the diagram window: draw a stored
// series, or the charge or discharge that ends with one of its end values.
class SeriesDiagram {
public:
    struct Request {
        qint32 lMessReiheId = 0;
        qint32 lEndWertId = 0; // 0: the whole series
        // The window whose report the diagram's print buttons print. The
        // diagram must not rely on it outliving the diagram.
        QWidget* callerForm = nullptr;
        std::shared_ptr<CommunicationProgram> cProg;
    };

    virtual ~SeriesDiagram() = default;
    // True when the diagram is shown.
    virtual bool showDiagram(const Request& request) = 0;
};
