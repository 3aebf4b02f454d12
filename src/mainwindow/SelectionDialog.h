#pragma once

#include "platform/FormDialog.h"

#include <QString>

class DataCombo;
class QLabel;
class QPushButton;

// What the language and charger dialogs share: an optional explanatory text,
// a caption over one list to choose from, and OK / Cancel. The list and its
// labels keep the names each dialog gives them.
class SelectionDialog : public FormDialog {
    Q_OBJECT
public:
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // How a confirmed change of a setting that only a new start applies went.
    enum class ChangeAnswer { WarningDeclined, QuitDeclined, Confirmed };

protected:
    struct Names {
        QString dialog;
        QString explanation; // empty: the dialog has no explanatory text
        QString caption;
        QString list;
    };
    SelectionDialog(const Names& names, int minimumWidth, QWidget* parent);

    // The warning (text id warningId), then whether to end the program now.
    static ChangeAnswer confirmChangeNeedingRestart(const QString& warningId);

    QLabel* m_explanation = nullptr;
    QLabel* m_caption = nullptr;
    DataCombo* m_list = nullptr;
};
