#pragma once

#include <QString>

class CommunicationProgram;
class ProgramEditorSources;

// The eight extended charging options as their dialog shows them: seven
// choices of two and the charge end as the box's text. Widget-free, so the
// round trip program -> dialog -> program is tested without a window.
struct ExtendedOptions {
    bool gesperrt = false;      // optGesperrt, else optFreigegeben
    bool ohneLast = false;      // optOhneLast, else optUnterLast
    bool bleiakkuMode2 = false; // optBleiakkuMode2, else optBleiakkuMode1
    bool liIonMode2 = false;    // optLiIonMode2, else optLiIonMode1
    bool dauerstrom = false;    // optDauerstrom, else optReversepulse
    bool q2 = false;            // optQ2, else optQ1
    bool u2 = false;            // optU2, else optU1
    QString ladeende;           // txtLadeende

    // What the dialog shows for a program.
    static ExtendedOptions fromProgram(const CommunicationProgram& p);

    // The charge end stored in tenths, as the box shows it: a whole number, or
    // one decimal when the stored value is not a multiple of ten.
    static QString ladeendeText(qint16 tenths);

    // Checks the charge end when the focus leaves its box: empty is left to
    // OK; otherwise the value must lie within the limits of row "N" (compared
    // as real numbers) and its tenfold must fit the three digits the charger
    // takes. Returns the message for a refused value, empty when accepted.
    static QString checkLadeende(const QString& text, const ProgramEditorSources& sources);

    // The options into target, the eight fields only. The charge end the
    // user left as shown comes back as stored in original (a fractional value
    // is not cut to a whole number); a changed one is stored in tenths.
    // False when the charge end is no usable number (target's charge end is
    // then left alone).
    bool writeTo(CommunicationProgram& target, const CommunicationProgram& original) const;
};
