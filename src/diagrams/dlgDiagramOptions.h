#pragma once

#include "diagrams/DiagramOptionsLogic.h"
#include "diagrams/velmoroAxisRange.h"
#include "platform/FormDialog.h"

class DiagramRefresh;
class QCheckBox;
class QLabel;
class QLineEdit;

// The diagram's options: minimum/maximum lines per curve and the grids (kept
// as settings) and the ranges of the two axes (handed back to the diagram).
class dlgDiagramOptions : public FormDialog {
    Q_OBJECT
public:
    explicit dlgDiagramOptions(QWidget* parent = nullptr);

    // Set by the diagram window before initializeDialog.
    DiagramRefresh* parentWin = nullptr;
    velmoroAxisRange xAx;
    velmoroAxisRange yAx;

    // Fills the range controls from xAx and yAx.
    void initializeDialog();

    // Handlers.
    void chkXAutomatisch_Click();
    void chkYAutomatisch_Click();
    // Validates, saves the five settings, hands over the ranges, refreshes
    // the diagram and closes; stays open on a failed test.
    void OKButton_Click();
    void CancelButton_Click();

    DiagramRangeInput rangeInput() const;

protected:
    void cancelButton() override;

private:
    void loadMinMaxCheckBoxes();
    void loadGridCheckBoxes();
    void saveMinMaxSettings();
    void saveGridSettings();
    bool validateRanges();
    void applyAxisRanges();
    void fillAxisRangeFields();

    QCheckBox* m_chkSpannung = nullptr;
    QCheckBox* m_chkStrom = nullptr;
    QCheckBox* m_chkKapazitaet = nullptr;
    QCheckBox* m_chkXGrid = nullptr;
    QCheckBox* m_chkYGrid = nullptr;
    QCheckBox* m_chkXAutomatisch = nullptr;
    QCheckBox* m_chkYAutomatisch = nullptr;
    QLabel* m_lblXVon = nullptr;
    QLabel* m_lblXBis = nullptr;
    QLabel* m_lblYVon = nullptr;
    QLabel* m_lblYBis = nullptr;
    QLineEdit* m_txtXVon = nullptr;
    QLineEdit* m_txtXBis = nullptr;
    QLineEdit* m_txtYVon = nullptr;
    QLineEdit* m_txtYBis = nullptr;
};
