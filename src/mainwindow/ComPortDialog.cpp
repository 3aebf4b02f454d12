#include "mainwindow/ComPortDialog.h"

#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "link/ComPortNames.h"
#include "platform/ErrorGuard.h"
#include "platform/Terminator.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {
// Caption ids of optCom1 .. optCom10 (0610 belongs to the first-start label).
const char* const kOptionCaptions[10] = {"0602", "0604", "0606", "0608", "0612",
                                         "0614", "0616", "0618", "0620", "0622"};
} // namespace

const QChar ComPortDialog::kPresentMark(0x2714); // heavy check mark
const QChar ComPortDialog::kAbsentMark(0x2013);  // en dash

ComPortDialog::ComPortDialog(const QString& objectName, QWidget* parent) : FormDialog(parent)
{
    setObjectName(objectName);
    frameCom = new QGroupBox(this);
    frameCom->setObjectName(QStringLiteral("frameCom"));
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    auto* grid = new QGridLayout(frameCom);
    for (int i = 0; i < 10; ++i) {
        optCom[i] = new QRadioButton(frameCom);
        optCom[i]->setObjectName(QStringLiteral("optCom%1").arg(i + 1));
        m_group->addButton(optCom[i], i + 1);
        // Two columns: ports 1 .. 5 left, 6 .. 10 right.
        grid->addWidget(optCom[i], i % 5, i / 5);
    }
    cmdOk = new QPushButton(this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(frameCom);
    m_layout->addWidget(buttons);
    connect(cmdCancel, &QPushButton::clicked, this, ErrorGuard::slot([this] { cmdCancel_Click(); }));

    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports)
        m_presentDevices << port.systemLocation();
}

void ComPortDialog::loadCommon(const QString& okCaption)
{
    bStartup = false;
    setWindowTitle(getResource(QStringLiteral("0600")));
    cmdOk->setText(getResource(okCaption));
    cmdCancel->setText(getResource(QStringLiteral("0101")));
    setOptionCaptions();
    selectPortFromSettings();
}

void ComPortDialog::setOptionCaptions()
{
    for (int i = 0; i < 10; ++i) {
        const QString device = comPortDeviceForNumber(i + 1);
        // A mark rather than a word, so the caption reads the same in every language.
        const bool present = m_presentDevices.contains(device);
        optCom[i]->setText(QStringLiteral("%1   %2 %3")
                               .arg(getResource(QLatin1String(kOptionCaptions[i])), device,
                                    present ? QString(kPresentMark) : QString(kAbsentMark)));
    }
}

void ComPortDialog::setPresentDevices(const QStringList& devices)
{
    m_presentDevices = devices;
    setOptionCaptions();
}

void ComPortDialog::selectPortFromSettings()
{
    // An exclusive group keeps one option checked; clearing needs it off.
    m_group->setExclusive(false);
    for (QRadioButton* opt : optCom)
        opt->setChecked(false);
    m_group->setExclusive(true);
    const int n = comPortNumber(objSettings().getSetting(QStringLiteral("ComPort")));
    if (n >= 1)
        optCom[n - 1]->setChecked(true);
}

QString ComPortDialog::getSelectedPort() const
{
    for (int i = 0; i < 10; ++i) {
        if (optCom[i]->isChecked())
            return QString::number(i + 1);
    }
    const QString stored = objSettings().getSetting(QStringLiteral("ComPort"));
    if (stored.trimmed().startsWith(QLatin1Char('/')))
        return stored;
    return QStringLiteral("2");
}

void ComPortDialog::cmdCancel_Click()
{
    done(Rejected);
    if (bStartup)
        endProgram(0);
}
