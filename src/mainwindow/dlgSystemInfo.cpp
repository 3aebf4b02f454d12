#include "mainwindow/dlgSystemInfo.h"

#include "core/ProgramResources.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* valueLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

dlgSystemInfo::dlgSystemInfo(const SystemInformation& info, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgSystemInfo"));
    setWindowTitle(getResource(QStringLiteral("1604")));

    lblBetriebssystem = valueLabel(this, "lblBetriebssystem",
                                   info.operatingSystem + QLatin1Char('\n') + info.kernel + QStringLiteral(", ")
                                       + info.architecture);
    lblQt = valueLabel(this, "lblQt", info.qtVersion);
    lblSqlite = valueLabel(this, "lblSqlite", info.sqliteVersion);
    lblSchnittstellen = valueLabel(this, "lblSchnittstellen",
                                   info.serialPorts.isEmpty() ? getResource(QStringLiteral("1610"))
                                                              : info.serialPorts.join(QLatin1Char('\n')));

    auto* form = new QFormLayout;
    form->addRow(getResource(QStringLiteral("1606")), lblBetriebssystem);
    form->addRow(QStringLiteral("Qt"), lblQt);
    form->addRow(QStringLiteral("SQLite"), lblSqlite);
    form->addRow(getResource(QStringLiteral("1608")), lblSchnittstellen);

    cmdOk = new QPushButton(getResource(QStringLiteral("0100")), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdOk, QDialogButtonBox::AcceptRole);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}
