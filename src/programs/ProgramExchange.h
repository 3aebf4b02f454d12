#pragma once

#include <QString>
#include <QVector>
#include <memory>

class CommunicationProgram;
class ProgramChannels;
class ProgramEditorLogic;
class ProgramEditorParent;
class ProgramEditorView;
class ChargerPort;
struct ProgramStringResult;

// What the program editor's dialog does for the exchange, on its widgets.
class ProgramExchangeHost {
public:
    virtual ~ProgramExchangeHost() = default;
    // Shows the save-as dialog modally; it hands the chosen name to the
    // editor (setNewProgramName) on OK.
    virtual void runSaveAsDialog() = 0;
    // Hides and unloads the editor, as its Cancel button does.
    virtual void closeEditor() = 0;
    // Calls offerReportedProgram once the current event has been handled
    // (never from inside it: the caller may be a channel's poll).
    virtual void postOfferReportedProgram() = 0;
};

// The editor's exchange with the charger and with the named programs: the
// checks before sending or saving, fetching, sending to one channel or to
// every channel, the program the charger reports meanwhile, and the named
// programs. Widget-free: controls are read and written through the view.
//
// What is sent or saved is what the user confirmed: the program string is
// built before the question or the save-as dialog opens, and a program the
// charger reports while one of them (or a send) is open is held and offered
// once when it is over.
class ProgramExchange {
public:
    ProgramExchange(ProgramEditorLogic& logic, ProgramEditorView& view, ProgramExchangeHost& host);

    void setLink(ChargerPort* link);
    void setParentWin(ProgramEditorParent* parentWin) { m_parentWin = parentWin; }
    void setChannels(ProgramChannels* channels) { m_channels = channels; }
    ProgramChannels* channels() const { return m_channels; }

    // --- checks before sending or saving ----------------------------------------------
    // False: one message shown and the focus on the control concerned.
    bool checkProgramInput();
    bool checkBatterySelection();
    bool checkRequiredValues();
    // The echo of a sent program less its G group (and its R group).
    static QString stripReplyShort(const QString& reply);
    static QString stripReplyLong(const QString& reply);

    // --- the charger ----------------------------------------------------------------------
    void cmdProgrammHolen_Click();
    void cmdSendButton_Click();
    void cmdSendToAll_Click();

    // The charger reports another program (from a channel's poll): it is kept
    // and the question comes after the poll, or after what the user has open.
    void programChangedFromOutside(std::shared_ptr<CommunicationProgram> program);
    // Asks whether to take the program reported last; nothing when none waits.
    void offerReportedProgram();
    std::shared_ptr<CommunicationProgram> reportedProgram() const { return m_reported; }
    bool isClosed() const { return m_closed; }

    // --- named programs -------------------------------------------------------------------
    void cboAkkuProgram_Click();
    void cmdDeleteButton_Click();
    void cmdSaveAsButton_Click();
    // Refills the list of names; the choice is emptied.
    void refreshProgramList();

private:
    class Busy;
    bool fail(const char* id, const char* control);
    float value(const char* box) const;
    // The program string for a channel as the fields stand; a refused build
    // is shown (focus on the control) and gives "".
    QString buildFor(const QString& channel);
    // Up to three sends of the text; true when the charger echoed it.
    bool sendWithTries(const QString& text);
    void operationEnded();
    void selectProgram(const QString& programmId);

    ProgramEditorLogic& m_logic;
    ProgramEditorView& m_view;
    ProgramExchangeHost& m_host;
    ChargerPort* m_link;
    ProgramEditorParent* m_parentWin = nullptr;
    ProgramChannels* m_channels = nullptr;

    std::shared_ptr<CommunicationProgram> m_reported;
    int m_busy = 0;              // a question, the save-as dialog or a send is open
    bool m_questionOpen = false; // the question about a reported program is open
    bool m_offerPosted = false;
    bool m_closed = false; // a send succeeded and the editor closed
};
