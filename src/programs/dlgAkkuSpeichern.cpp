#include "programs/dlgAkkuSpeichern.h"

#include "core/ProgramResources.h"
#include "platform/ErrorGuard.h"
#include "programs/NamedPrograms.h"
#include "programs/dlgVelmoroProgram.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

dlgAkkuSpeichern::dlgAkkuSpeichern(QWidget* parent) : FormDialog(parent)
{
    setObjectName(QStringLiteral("dlgAkkuSpeichern"));
    setWindowTitle(getResource(QStringLiteral("0991")));
    auto* root = new QVBoxLayout(this);
    m_txtSave = new QLineEdit(this);
    m_txtSave->setObjectName(QStringLiteral("txtSave"));
    root->addWidget(m_txtSave);
    m_lstSave = new QListWidget(this);
    m_lstSave->setObjectName(QStringLiteral("lstSave"));
    root->addWidget(m_lstSave, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(getResource(QStringLiteral("0100")), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    auto* cancel = new QPushButton(getResource(QStringLiteral("0101")), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);

    connect(m_lstSave, &QListWidget::currentRowChanged, this, [this](int row) { lstSave_Click(row); });
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { cancelButton(); });
}

void dlgAkkuSpeichern::showEvent(QShowEvent* event)
{
    FormDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void dlgAkkuSpeichern::Form_Activate()
{
    m_lstSave->clear();
    ErrorGuard::run([this] {
        for (const ListEntry& e : NamedPrograms::list())
            m_lstSave->addItem(e.text);
    });
    m_lstSave->setCurrentRow(-1);
    m_txtSave->setFocus(Qt::OtherFocusReason);
}

void dlgAkkuSpeichern::lstSave_Click(int row)
{
    if (QListWidgetItem* item = m_lstSave->item(row))
        m_txtSave->setText(item->text());
}

void dlgAkkuSpeichern::cmdOk_Click()
{
    if (m_parentWin)
        m_parentWin->setNewProgramName(m_txtSave->text().trimmed());
    accept();
}

void dlgAkkuSpeichern::cancelButton()
{
    reject();
}
