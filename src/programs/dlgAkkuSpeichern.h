#pragma once

#include "platform/FormDialog.h"

class dlgVelmoroProgram;
class QLineEdit;
class QListWidget;

// The save-as dialog of the program editor: the user types a name or picks a
// stored one; OK hands the trimmed name to the editor.
class dlgAkkuSpeichern : public FormDialog {
    Q_OBJECT
public:
    // Loads the dialog: captions.
    explicit dlgAkkuSpeichern(QWidget* parent = nullptr);

    void setParentWin(dlgVelmoroProgram* parentWin) { m_parentWin = parentWin; }
    // Fills the list of stored names and puts the focus on the name (a
    // database failure is shown and leaves the list empty).
    void Form_Activate();
    // The user picked the stored name in row `row`: it becomes the name.
    void lstSave_Click(int row);
    void cmdOk_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void cancelButton() override;

private:
    dlgVelmoroProgram* m_parentWin = nullptr;
    QLineEdit* m_txtSave = nullptr;
    QListWidget* m_lstSave = nullptr;
};
