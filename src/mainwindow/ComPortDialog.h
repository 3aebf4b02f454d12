#pragma once

#include "platform/FormDialog.h"

#include <QString>
#include <QStringList>
#include <array>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

// What the two port dialogs share: the frame with the ten port options (each
// showing the device it stands for and whether the system has it), the
// preselection from ComPort and the chosen port.
class ComPortDialog : public FormDialog {
    Q_OBJECT
public:
    // Ends an option's caption: the system has that device, or has not.
    static const QChar kPresentMark;
    static const QChar kAbsentMark;

    // True when Cancel must end the program (set by the caller after loading).
    bool bStartup = false;

    // The number of the first checked option ("1" .. "10"). With none checked:
    // a stored device path stays as it is, anything else gives "2".
    QString getSelectedPort() const;

    // Rebuilds the option captions against the devices the system reports
    // (given here so the captions can be checked without those devices).
    void setPresentDevices(const QStringList& devices);

    QGroupBox* frameCom = nullptr;
    std::array<QRadioButton*, 10> optCom{};
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdCancel_Click();

protected:
    ComPortDialog(const QString& objectName, QWidget* parent);
    // Sets the captions and preselects the stored port; okCaption is the id
    // of the OK button's text.
    void loadCommon(const QString& okCaption);
    void selectPortFromSettings();
    void cancelButton() override { cmdCancel_Click(); }
    QVBoxLayout* m_layout = nullptr;

private:
    void setOptionCaptions();

    QButtonGroup* m_group = nullptr;
    QStringList m_presentDevices;
};
