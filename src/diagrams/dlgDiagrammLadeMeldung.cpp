#include "diagrams/dlgDiagrammLadeMeldung.h"

#include "core/ProgramResources.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

dlgDiagrammLadeMeldung::dlgDiagrammLadeMeldung(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("dlgDiagrammLadeMeldung"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    m_lblMeldung = new QLabel(this);
    m_lblMeldung->setObjectName(QStringLiteral("lblMeldung"));
    m_lblMeldung->setText(getResource(QStringLiteral("2102")));
    m_lblMeldung->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_lblMeldung);
    setMinimumSize(320, 80);
}

void dlgDiagrammLadeMeldung::showNow()
{
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
}
