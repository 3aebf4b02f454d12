#include "wiring/MainWindowHosts.h"

void MainWindowHosts::attach(MainFormServices& form, DiagramHost& diagram, RecordsHost& records)
{
    m_form = &form;
    m_diagram = &diagram;
    m_records = &records;
}

void MainWindowHosts::detach(const MainFormServices& form)
{
    if (m_form != &form)
        return;
    m_form = nullptr;
    m_diagram = nullptr;
    m_records = nullptr;
}

void MainWindowHosts::setProgramExtensionSetting()
{
    if (m_form)
        m_form->setProgramExtensionSetting();
}

void MainWindowHosts::setLanguageResources()
{
    if (m_form)
        m_form->setLanguageResources();
}

void MainWindowHosts::optimizeStatusbar()
{
    if (m_form)
        m_form->optimizeStatusbar();
}

void MainWindowHosts::ReloadWindowCaption()
{
    if (m_form)
        m_form->ReloadWindowCaption();
}

void MainWindowHosts::loadChannelWindows()
{
    if (m_form)
        m_form->loadChannelWindows();
}

void MainWindowHosts::showChannelWindow1()
{
    if (m_form)
        m_form->showChannelWindow1();
}

void MainWindowHosts::showChannelWindows2To4()
{
    if (m_form)
        m_form->showChannelWindows2To4();
}

void MainWindowHosts::showMainForm()
{
    if (m_form)
        m_form->showMainForm();
}

void MainWindowHosts::setCheckLadegeraet(bool check)
{
    if (m_form)
        m_form->setCheckLadegeraet(check);
}

void MainWindowHosts::setNextTempMessreiheID(qint32 id)
{
    if (m_form)
        m_form->setNextTempMessreiheID(id);
}

void MainWindowHosts::setChannelMenuEnabled(int channel, bool enabled)
{
    if (m_form)
        m_form->setChannelMenuEnabled(channel, enabled);
}

void MainWindowHosts::setChannelMenuChecked(int channel, bool checked)
{
    if (m_form)
        m_form->setChannelMenuChecked(channel, checked);
}

void MainWindowHosts::closeMainForm()
{
    if (m_form)
        m_form->closeMainForm();
}

void MainWindowHosts::setVelmoroActiveForm(QWidget* form)
{
    if (m_diagram)
        m_diagram->setVelmoroActiveForm(form);
}

void MainWindowHosts::checkAndSetPrintItem(std::optional<bool> bActive)
{
    if (m_diagram)
        m_diagram->checkAndSetPrintItem(bActive);
}

QString MainWindowHosts::isAkkuUsed(qint32 lAkkuId)
{
    return m_records ? m_records->isAkkuUsed(lAkkuId) : QStringLiteral("notUsed");
}

QString MainWindowHosts::resetAkkuId(qint32 lAkkuId)
{
    return m_records ? m_records->resetAkkuId(lAkkuId) : QStringLiteral("noReset");
}

void MainWindowHosts::seriesWindowActivated(QWidget* window)
{
    if (m_records)
        m_records->seriesWindowActivated(window);
}
