#pragma once

#include "core/StartupServices.h"

#include <memory>

class ComPortDialogRunner;
class Database;
class FirstStartDialogs;
class KanalDiagram;
class MainWindowHosts;
class MessageService;
class ModalDialogRunner;
class ProgramResources;
class ProgramViewerSource;
class RecordsHost;
class RecordsNotifier;
class SeriesDiagram;
class SeriesProgramViewer;
class Terminator;
class UrlOpener;
class VelmoroComCommunication;
class programSettings;

// The program's services, in one place.
//
// Where a service comes from: read main.cpp, which builds the one
// ProgramServices of the run from the program's own implementations, and
// Parts below, which says what each part is where nobody gives one. Each test
// fixture builds one from its fakes (tests/common/TestServices.h). Windows
// receive the root when they are made (frmMDIMainForm, frmKanal, the records
// windows) or what they use from whoever makes them (the diagram window from
// DiagramOpener); logic classes receive the single services they use.
// Nothing asks a registry.
//
// The floors below wiring cannot see this object. While it lives it hands
// them their part of it through an install that only it may call, and gives
// the previous parts back at its end: message boxes, modal dialogs and the
// end of the program (msgBox, execModal, endProgram in platform/), and what
// the start-up reaches above core (StartupServices).
//
// The link and the data keep the names the program gives them, opened by the
// start-up and closed at the program's end: objComCommunication (link/),
// dbVelmoro, dbVeluser and the rs* recordsets (core/DatabaseModul),
// objSettings(), objResources() and getResource (core/). link(), velmoro(),
// veluser(), settings() and texts() below are those.
class ProgramServices {
public:
    struct Parts {
        // nullptr: QtMessageService, a modal QMessageBox.
        MessageService* messages = nullptr;
        // nullptr: ExecDialogRunner, the dialog's own exec().
        ModalDialogRunner* dialogs = nullptr;
        // nullptr: ProcessTerminator, the process ends.
        Terminator* terminator = nullptr;
        // The port dialog after a failed opening; nullptr: none, the program
        // goes on without a link.
        ComPortDialogRunner* comPortDialog = nullptr;
        // nullptr: none, the first-start chain does not run.
        FirstStartDialogs* firstStartDialogs = nullptr;
        // How the windows and the start-up reach the main window; nullptr:
        // this root's own. The main window attaches itself to it.
        MainWindowHosts* mainWindow = nullptr;
        // What the records dialogs ask of the channels; nullptr: mainWindow.
        RecordsHost* recordsHost = nullptr;
        // nullptr: this root's own.
        RecordsNotifier* recordsNotifier = nullptr;
        // The diagram window as the channel windows and the stored series
        // window reach it; nullptr: none, their diagram buttons do nothing.
        KanalDiagram* kanalDiagram = nullptr;
        SeriesDiagram* seriesDiagram = nullptr;
        // The program viewer as the stored series window shows it and as a
        // printed report reads it; nullptr: none (no program button, no
        // program values in a report).
        SeriesProgramViewer* seriesProgramViewer = nullptr;
        ProgramViewerSource* programViewerSource = nullptr;
        // How pages (the help) reach the user's browser; nullptr: this
        // root's own, the system's opener.
        UrlOpener* urlOpener = nullptr;
    };

    // The program's own parts only. Roots nest (a test gives other parts for
    // a while): the one made last ends first.
    ProgramServices();
    explicit ProgramServices(const Parts& parts);
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    // Every part as this root uses it (none is nullptr where Parts names a default).
    const Parts& parts() const { return m_parts; }

    MessageService& messages() const { return *m_parts.messages; }
    ModalDialogRunner& dialogs() const { return *m_parts.dialogs; }
    Terminator& terminator() const { return *m_parts.terminator; }
    MainWindowHosts& mainWindow() const { return *m_parts.mainWindow; }
    RecordsHost& recordsHost() const { return *m_parts.recordsHost; }
    RecordsNotifier& recordsNotifier() const { return *m_parts.recordsNotifier; }
    KanalDiagram* kanalDiagram() const { return m_parts.kanalDiagram; }
    SeriesDiagram* seriesDiagram() const { return m_parts.seriesDiagram; }
    SeriesProgramViewer* seriesProgramViewer() const { return m_parts.seriesProgramViewer; }
    ProgramViewerSource* programViewerSource() const { return m_parts.programViewerSource; }
    UrlOpener& urlOpener() const { return *m_parts.urlOpener; }

    // The link and the data, as the start-up opened them (see above).
    VelmoroComCommunication* link() const;
    Database& velmoro() const;
    Database& veluser() const;
    programSettings& settings() const;
    ProgramResources& texts() const;

private:
    struct Own;
    std::unique_ptr<Own> m_own;
    Parts m_parts;
    StartupServices m_startup;

    MessageService* m_previousMessages = nullptr;
    ModalDialogRunner* m_previousDialogs = nullptr;
    Terminator* m_previousTerminator = nullptr;
    const StartupServices* m_previousStartup = nullptr;
};
