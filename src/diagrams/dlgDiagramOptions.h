#pragma once

#include "diagrams/DiagramOptionsLogic.h"
#include "diagrams/DiagramOptionsView.h"
#include "diagrams/velmoroAxisRange.h"
#include "platform/FormDialog.h"
#include "widgets/NamedControls.h"

class DiagramRefresh;
class QBoxLayout;

// The diagram's options: minimum/maximum lines per curve and the grids (kept
// as settings) and the ranges of the two axes (handed back to the diagram).
// What they do lives in DiagramOptionsLogic, which sets the controls through
// this dialog's view.
class dlgDiagramOptions : public FormDialog, public DiagramOptionsView {
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

    // DiagramOptionsView
    void setControlText(const QString& name, const QString& text) override;
    QString controlText(const QString& name) const override;
    void setControlVisible(const QString& name, bool visible) override;
    bool isControlVisible(const QString& name) const override;
    void setChecked(const QString& name, bool checked) override;
    bool isChecked(const QString& name) const override;
    void setFocusTo(const QString& name) override;

protected:
    void cancelButton() override;

private:
    void buildControls();
    void buildSwitchFrames(QBoxLayout* root);
    QWidget* buildRangeFrame();
    void buildButtons(QBoxLayout* root);
    void applyAxisRanges();

    NamedControls m_controls;
    DiagramOptionsLogic m_logic;
};
