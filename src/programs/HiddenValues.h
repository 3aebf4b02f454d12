#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>
#include <optional>

class CommunicationProgram;
class ProgramEditorView;
struct ProgramInputs;

// The round trip of what the layout hides. A program filled into the form
// goes out again with the values the form does not show (a current of a
// mode without it, the cells under preset voltages, the cycle code of a
// mode without the list) as the program gave them, as long as the user has
// left them and what they depend on as they were filled: the battery's
// description, and its type and cells or its preset charge-end voltage.
class HiddenValues {
public:
    // Nothing is kept: before a fill and after a program that could not be read.
    void forget() { m_filled.reset(); }
    // Notes what the fill of a usable program left in the controls. A record
    // no program text was read into (a channel that has not read its program
    // yet) gives nothing to keep: its zeros were never given.
    void remember(const ProgramEditorView& view, const CommunicationProgram& program);
    // The user chose the cells or the nominal voltage: even a choice that
    // comes back to the filled text is the user's own.
    void cellsChosen();
    // Sets the kept values of in that the controls, as they stand, still
    // leave as they were filled.
    void keep(const ProgramEditorView& view, ProgramInputs& in) const;

private:
    struct Filled {
        bool byType = false;           // optAkkuTyp, else preset voltages
        QString akkuTyp;               // bound value of cboAkkuType
        QString cycle;                 // bound value of cboModeZyklus
        QHash<QString, QString> texts; // control -> its text after the fill
        bool cellsChosen = false;
        qint64 zellenzahl = 0, formierCode = 0, zeitraum = 0, ladestrom = 0, entladestrom = 0, spannung = 0,
               entladeschlussSpannung = 0;
    };
    std::optional<Filled> m_filled;
};
