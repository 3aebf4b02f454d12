#include "mainwindow/frmMDIMainForm.h"

#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/programSettings.h"
#include "platform/MessageService.h"
#include "platform/Terminator.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QVersionNumber>

namespace {
frmMDIMainForm* g_mainForm = nullptr;
}

frmMDIMainForm* mainForm()
{
    return g_mainForm;
}

frmMDIMainForm::frmMDIMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMDIMainForm"));
    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    resize(1024, 720);
    g_mainForm = this;
}

frmMDIMainForm::~frmMDIMainForm()
{
    if (g_mainForm == this)
        g_mainForm = nullptr;
}

void frmMDIMainForm::MDIForm_Load()
{
    velmoroActiveForm = nullptr;
    lNextTempMesswertID = 1;
    bNoKZTFound = false;
    check_Ladegeraet = true;
    hide();
    initApplication(*this);
}

void frmMDIMainForm::MDIForm_QueryUnload(int& cancel)
{
    const auto answer = msgBox(getResource(QStringLiteral("1090")), MessageService::YesNo,
                               MessageService::Information, getResource(QStringLiteral("0410")));
    if (answer == MessageService::Yes) {
        saveChannelVisibility();
        cancel = 0;
    } else {
        cancel = 1;
    }
}

void frmMDIMainForm::MDIForm_Unload(int cancel)
{
    if (cancel != 0)
        return;
    closeApplication();
    endProgram(0);
}

void frmMDIMainForm::closeEvent(QCloseEvent* event)
{
    int cancel = 0;
    MDIForm_QueryUnload(cancel);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
    MDIForm_Unload(0);
}

void frmMDIMainForm::setProgramExtensionSetting()
{
    const QString charger = objSettings().getSetting(QStringLiteral("UsedCharger"));
    QString value;
    if (charger == QLatin1String("KZT4"))
        value = objSettings().getSetting(QStringLiteral("KZT4ExtensionAvailable"));
    else if (charger == QLatin1String("KZT1"))
        value = objSettings().getSetting(QStringLiteral("KZT1ExtensionAvailable"));
    else if (charger == QLatin1String("KZT4 48V"))
        value = objSettings().getSetting(QStringLiteral("KZT448VExtensionAvailable"));
    else if (charger == QLatin1String("KZTx"))
        value = objSettings().getSetting(QStringLiteral("KZTxExtensionAvailable"));
    else
        value = QStringLiteral("NO");
    objSettings().setSetting(QStringLiteral("ProgramExtensionAvaiable"), value);
}

void frmMDIMainForm::ReloadWindowCaption()
{
    const QVersionNumber v = QVersionNumber::fromString(QStringLiteral(VELMORO_VERSION));
    QString title = getResource(QStringLiteral("0001")) + QStringLiteral(" - ")
                    + getResource(QStringLiteral("0002")) + QLatin1Char(' ')
                    + QString::number(v.majorVersion()) + QLatin1Char('.')
                    + QString::number(v.minorVersion()) + QString::number(v.microVersion())
                    + getResource(QStringLiteral("0003")) + QStringLiteral("    ")
                    + objSettings().getSetting(QStringLiteral("ChargerTextTop"))
                    + QStringLiteral("  velmoro ") + objSettings().getSetting(QStringLiteral("UsedCharger"))
                    + QStringLiteral("    ") + QStringLiteral("Com Port: ")
                    + objSettings().getSetting(QStringLiteral("ComPort"));
    setWindowTitle(title);
}

void frmMDIMainForm::setLanguageResources()
{
    ReloadWindowCaption();
}

void frmMDIMainForm::optimizeStatusbar() {}

void frmMDIMainForm::saveChannelVisibility() {}

void frmMDIMainForm::loadChannelWindows() {}
