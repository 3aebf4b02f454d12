#include "mainwindow/dlgSystemInfo.h"

#include "core/ProgramResources.h"
#include "platform/ScreenFit.h"

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

// The button's caption without its trailing dots makes the title.
QString titleFrom(QString caption)
{
    caption = caption.trimmed();
    while (caption.endsWith(QLatin1Char('.')) || caption.endsWith(QChar(0x2026)))
        caption.chop(1);
    return caption.trimmed();
}
} // namespace

dlgSystemInfo::dlgSystemInfo(const SystemInformation& info, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgSystemInfo"));
    setWindowTitle(titleFrom(getResource(QStringLiteral("1604"))));

    // The values speak for themselves; only the ports need the program's word.
    lblBetriebssystem =
        valueLabel(this, "lblBetriebssystem",
                   info.operatingSystem + QLatin1Char('\n') + info.kernel + QStringLiteral(", ") + info.architecture);
    lblQt = valueLabel(this, "lblQt", info.qtVersion);
    lblSqlite = valueLabel(this, "lblSqlite", info.sqliteVersion);
    lblSchnittstellen =
        valueLabel(this, "lblSchnittstellen",
                   info.serialPorts.isEmpty() ? QString(QChar(0x2013)) : info.serialPorts.join(QLatin1Char('\n')));

    auto* form = new QFormLayout;
    form->addRow(QString(), lblBetriebssystem);
    form->addRow(QStringLiteral("Qt"), lblQt);
    form->addRow(QStringLiteral("SQLite"), lblSqlite);
    form->addRow(getResource(QStringLiteral("0600")), lblSchnittstellen);

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

void dlgSystemInfo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOnScreen(this);
}
