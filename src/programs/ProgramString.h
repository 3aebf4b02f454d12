#pragma once

#include <QString>
#include <optional>

class CommunicationProgram;
class ProgramEditorSources;

// What the program editor's controls hold when the program string is built:
// the texts as shown (numbers in the user's locale) and the bound values of
// the data-bound lists.
struct ProgramInputs {
    QString strGeraeteNr;              // "001" .. "004"
    bool bAkkuTyp = false;             // optAkkuTyp selected
    bool bVorgSpannung = false;        // optVorgSpannung selected
    QString strAkkuTyp;                // bound value of cboAkkuType (Nr)
    QString strModus;                  // bound value of cboGeraeteModi (ModusNr)
    QString strZellenzahl;             // text of cboZellenzahl
    bool bSollKapazitaet = false;      // chkSollKapazitaet checked
    QString strKapazitaetProzent;      // txtKapazitaetProzent
    QString strFormierCode;            // bound value of cboModeZyklus (SendeCode)
    QString strZeitraum;               // txtZeitraum
    QString strKapazitaetAh;           // txtKapazitaetAh, Ah
    QString strLadestrom;              // txtLadestrom, A
    QString strEntladestrom;           // txtEntladestrom, A
    QString strNennSpannung;           // text of cboNennSpannung, with its " V"
    QString strLadeschlussSpannung;    // txtLadeschlussSpannung, V
    QString strEntladeschlussSpannung; // txtEntladeschlussSpannung, V
    bool bSelbstentladung = false;     // chkSelbstentladung checked
    bool bStunden = false;             // optSelbstentladungStunden selected
    QString strSelbstentladungsZeitraum;

    // Values the layout hides, or a control that was never filled, as the
    // program the editor was filled from gave them, in the group's own unit
    // (cells, code, period, mA, mV). Each is set only while the user has left
    // it and what it depends on as they were filled; it then goes out in
    // place of the control's content, a zero included (the default settings
    // stand in only for a value that was never given).
    struct Kept {
        std::optional<qint64> zellenzahl;             // Z, cell list hidden under preset voltages
        std::optional<qint64> formierCode;            // F, cycle list hidden
        std::optional<qint64> zeitraum;               // W, period box hidden
        std::optional<qint64> ladestrom;              // L, charge current hidden
        std::optional<qint64> entladestrom;           // E, discharge current hidden
        std::optional<qint64> nennSpannung;           // V of a battery type and cell count as filled
        std::optional<qint64> entladeschlussSpannung; // D, discharge-end voltage hidden
    } kept;
};

// The settings the build reads, afresh at every build.
struct ProgramStringSettings {
    QString strDefaultLadestrom;
    QString strDefaultEntladestrom;
    QString strDefaultEntladeschlussSpannung;
    QString strProgramExtensionAvaiable;
    QString strProgramExtensionType;

    static ProgramStringSettings read(const ProgramEditorSources& sources);
};

// The outcome of a build: the program string, or the control whose content
// cannot be written in its group.
struct ProgramStringResult {
    enum class Refusal {
        None,
        NoDeviceMode, // cboGeraeteModi has no choice
        NoCycleMode,  // cboModeZyklus has no choice
        // No usable value where the string needs one: the default setting
        // that stands in for a zero is missing or no whole number.
        MissingValue,
        // The value is no number, negative, or wider than its group, or an
        // optional group would be sent without digits.
        OutOfField,
    };
    QString text;
    Refusal refusal = Refusal::None;
    QString control; // the refused control (cmdExtendedModus for the charge end)
    bool ok() const { return refusal == Refusal::None; }
};

// Builds the charge-program command text from the editor's inputs, the
// extended options of the edited program and the settings. Pure: reads
// nothing else and changes nothing.
//
// The groups and their widths are the wire and storage format the program
// parser reads back by position and by the last n digits of each group, so a
// value is never cut and never written wider than its group: such a value is
// refused instead, as is a negative one.
class ProgramString {
public:
    static ProgramStringResult buildProgramString(const ProgramInputs& in, const CommunicationProgram& prog,
                                                  const ProgramStringSettings& settings);

    // A number typed in the user's locale (group separators refused), blanks
    // around it ignored; false for the empty text and for anything else that
    // is no finite number.
    static bool readUserNumber(const QString& text, float& value);
    // A whole number typed in the user's locale; false otherwise.
    static bool readUserInteger(const QString& text, qint64& value);
    // Volts, amperes or ampere-hours as typed, in milli-units: the typed
    // single-precision value times 1000, rounded to the nearest (ties to even).
    static bool toMilli(const QString& text, qint64& milli);
};
