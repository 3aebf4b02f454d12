#pragma once

#include "platform/FormDialog.h"
#include "programs/ExtendedOptions.h"
#include "programs/StoredEditorSources.h"

#include <memory>

class CommunicationProgram;
class ExtendedProgramReceiver;
class FocusValidator;
class QLineEdit;

// The modal dialog of the extended charging options: seven choices of two and
// the charge end. Editable from the program editor, which receives the result
// through setExtendedProgram; read-only from the program viewer. The program
// it shows is never written by the dialog itself, so Cancel changes nothing.
class dlgErweiterterProgrammiermodus : public FormDialog {
    Q_OBJECT
public:
    // Loads the dialog: captions and tooltips.
    explicit dlgErweiterterProgrammiermodus(QWidget* owner = nullptr);
    ~dlgErweiterterProgrammiermodus() override;

    // The program whose options are shown, and the window that takes the result.
    std::shared_ptr<const CommunicationProgram> prog;
    ExtendedProgramReceiver* parentWin = nullptr;

    void initDialog();
    // Read-only: no option can be changed, the charge end takes no typing,
    // there is no OK, and Cancel always closes.
    void setEditableFalse();

    void cmdOk_Click();
    void cmdCancel_Click();
    // False keeps the focus in the box (the user has been told why).
    bool txtLadeende_Validate();

    // What the controls hold.
    ExtendedOptions options() const;
    void setOptions(const ExtendedOptions& o);
    FocusValidator& validator() { return *m_validator; }

    // Shows the dialog modally over owner for prog; editable hands the result
    // to receiver on OK.
    static void open(QWidget* owner, std::shared_ptr<const CommunicationProgram> prog,
                     ExtendedProgramReceiver* receiver, bool editable);

protected:
    void cancelButton() override;

private:
    void buildControls();
    bool checked(const char* name) const;
    void choose(const char* on, const char* off, bool first);
    QLineEdit* ladeende() const;

    StoredEditorSources m_sources;
    FocusValidator* m_validator = nullptr;
};
