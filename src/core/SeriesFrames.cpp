#include "core/SeriesFrames.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

QLabel* SeriesFrames::label(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* SeriesFrames::textBox(QWidget* parent, const char* name, bool readOnly)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setReadOnly(readOnly);
    return t;
}

QListWidget* SeriesFrames::listBox(QWidget* parent, const char* name)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    l->setFont(mono);
    return l;
}

QGroupBox* SeriesFrames::programFrame(QWidget* parent)
{
    auto* program = new QGroupBox(parent);
    program->setObjectName(QStringLiteral("frameAkkuprogramm"));
    auto* pg = new QGridLayout(program);
    pg->addWidget(label(program, "lblAkkutyp"), 0, 0);
    pg->addWidget(textBox(program, "txtAkkuTyp"), 0, 1);
    pg->addWidget(label(program, "lblMode"), 1, 0);
    pg->addWidget(textBox(program, "txtMode"), 1, 1);
    pg->addWidget(label(program, "lblNennkapazitaet"), 2, 0);
    pg->addWidget(textBox(program, "txtNennKapazitaet"), 2, 1);
    return program;
}

QGroupBox* SeriesFrames::endValueFrame(QWidget* parent, bool remarkEditable)
{
    auto* values = new QGroupBox(parent);
    values->setObjectName(QStringLiteral("frameAkkumesswerte"));
    auto* vg = new QGridLayout(values);
    vg->addWidget(label(values, "lblMesswerteNachLaden"), 0, 0, 1, 4);
    vg->addWidget(label(values, "lblLadenNr"), 1, 0);
    vg->addWidget(label(values, "lblLadenAh"), 1, 1);
    vg->addWidget(label(values, "lblLadenVolt"), 1, 2);
    vg->addWidget(label(values, "lblLadenMin"), 1, 3);
    vg->addWidget(listBox(values, "lstEndwertLaden"), 2, 0, 1, 4);
    vg->addWidget(label(values, "lblMesswerteNachEntladen"), 3, 0, 1, 4);
    vg->addWidget(label(values, "lblEntladenNr"), 4, 0);
    vg->addWidget(label(values, "lblEntladenAh"), 4, 1);
    vg->addWidget(label(values, "lblEntladenVolt"), 4, 2);
    vg->addWidget(label(values, "lblEntladenMin"), 4, 3);
    vg->addWidget(listBox(values, "lstEndwertEntladen"), 5, 0, 1, 4);
    vg->addWidget(label(values, "lblAkkuzustand"), 6, 0, 1, 2);
    vg->addWidget(textBox(values, "txtAkkuzustand"), 6, 2, 1, 2);
    vg->addWidget(label(values, "lblSelbstentladung"), 7, 0, 1, 2);
    vg->addWidget(textBox(values, "txtSelbstentladung"), 7, 2, 1, 2);
    vg->addWidget(label(values, "lblBemerkungen"), 8, 0, 1, 4);
    vg->addWidget(textBox(values, "txtBemerkung", !remarkEditable), 9, 0, 1, 4);
    return values;
}
