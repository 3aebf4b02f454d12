#include "mainwindow/SelectionDialog.h"

#include "core/ProgramResources.h"
#include "platform/DataCombo.h"
#include "platform/MessageService.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SelectionDialog::SelectionDialog(const Names& names, int minimumWidth, QWidget* parent) : FormDialog(parent)
{
    setObjectName(names.dialog);
    if (!names.explanation.isEmpty()) {
        m_explanation = new QLabel(this);
        m_explanation->setObjectName(names.explanation);
        m_explanation->setWordWrap(true);
    }
    m_caption = new QLabel(this);
    m_caption->setObjectName(names.caption);
    m_list = new DataCombo(this);
    m_list->setObjectName(names.list);
    m_caption->setBuddy(m_list);
    btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    if (m_explanation)
        layout->addWidget(m_explanation);
    layout->addWidget(m_caption);
    layout->addWidget(m_list);
    layout->addStretch();
    layout->addWidget(buttons);
    setMinimumWidth(minimumWidth);
}

SelectionDialog::ChangeAnswer SelectionDialog::confirmChangeNeedingRestart(const QString& warningId)
{
    const auto warning = msgBox(getResource(warningId), MessageService::OkCancel, MessageService::Exclamation,
                                getResource(QStringLiteral("0410")));
    if (warning != MessageService::Ok)
        return ChangeAnswer::WarningDeclined;
    const auto quit = msgBox(getResource(QStringLiteral("1090")), MessageService::YesNo, MessageService::Information,
                             getResource(QStringLiteral("0410")));
    if (quit != MessageService::Yes)
        return ChangeAnswer::QuitDeclined;
    return ChangeAnswer::Confirmed;
}
