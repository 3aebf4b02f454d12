#pragma once

#include "core/EndValueDisplay.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>
#include <utility>
#include <vector>

class CommunicationProgram;
class EntwertList;
class KanalBearbeitenView;
class QWidget;
class SeriesDiagram;
class SeriesProgramViewer;

// What the stored series window does, without its widgets: it reads the
// program and the end values of one recorded series and shows them through
// the window's view, by control name. It only reads the user database; it
// writes nothing but the error log.
class KanalBearbeitenLogic {
public:
    // --- public members, set by the opener before the window is shown -------------
    qint32 lMessId = -1;
    QString strAkkuName;
    QString strMessreihenNr;
    QString strBemerkungstext;

    // What the window shows after an activation.
    struct Shown {
        QString heading;
        QString akkuTyp;
        QString mode;
        QString nennKapazitaet;
        EndValueDisplay::Lists lists;
        QString bemerkung;
    };

    // view: the window's controls (nullptr: the logic shows nothing, reading
    // the series alone). The diagram window and the program viewer the
    // window's buttons open (either nullptr: the program has none, and its
    // button does nothing).
    KanalBearbeitenLogic(KanalBearbeitenView* view, SeriesDiagram* diagram, SeriesProgramViewer* viewer);
    ~KanalBearbeitenLogic();

    // Captions by control name (the window's own under its name).
    static std::vector<std::pair<QString, QString>> captions();
    static QString windowName() { return QStringLiteral("frmKanalBearbeiten"); }
    // Loading the window sets the captions only; the series is read on activation.
    void Form_Load();

    // A new opening of the window: what is wrong with the stored series is
    // logged once per opening, not at every activation.
    void beginOpening();

    // Reads the program, the number and the end values of the series again
    // (a delete may have renumbered it) and shows them. False when the series
    // no longer exists: the user has been told and the window closes. Raises
    // DatabaseError; what was shown before stays until showState().
    bool Form_Activate();
    QString heading() const;
    const Shown& shown() const { return m_shown; }
    // Shows what the last activation read: after a failed one, nothing of
    // the series shown before.
    void showState() const;

    // A new program and list on every activation; the diagram window and the
    // viewer keep theirs as long as they need them.
    std::shared_ptr<CommunicationProgram> seriesProgram() const { return m_program; }
    std::shared_ptr<EntwertList> seriesEndValues() const { return m_endValues; }

    // Whether a diagram can be drawn at all (the program has a diagram window),
    // and a program shown (it has a viewer).
    bool hasDiagram() const { return m_diagram != nullptr; }
    bool hasViewer() const { return m_viewer != nullptr; }
    bool bLoadingDiagram() const { return m_loadingDiagram; }
    // Draws the whole series (endWertId 0) or the charge or discharge ending
    // with that end value; refused while a diagram loads. True when shown.
    bool showDiagram(qint32 endWertId, QWidget* callerForm);
    // A double click on an end-value list: the diagram of the row the user
    // chose; nothing while no row is chosen.
    bool openPhase(const QString& list, QWidget* callerForm);
    // Shows the program in the viewer, owned by owner.
    void showProgram(QWidget* owner);

private:
    // False when the series has no row.
    bool loadProgram();
    void showProgramTexts();
    void loadEndValues();
    // Writes the signature the first time this opening logs, then the entry.
    void logOnce(const QString& key, const QString& signature, const QStringList& entries);

    KanalBearbeitenView* m_view;
    SeriesDiagram* m_diagram;
    SeriesProgramViewer* m_viewer;
    std::shared_ptr<CommunicationProgram> m_program;
    std::shared_ptr<EntwertList> m_endValues;
    Shown m_shown;
    bool m_loadingDiagram = false;
    // What this opening has logged already.
    QSet<QString> m_logged;
};
