#pragma once

#include <QString>
#include <QtGlobal>

// A charge program, and after a device-information reply the charger's own
// value limits. A plain record: every field is a public member with the type
// of its wire field (Integer 16 bit, Long 32 bit; mV, mA, mAh).
//
// Program text, one grammar for the charger's program reply (bWithGal on) and
// for the program string the editor stores (bWithGal off):
//   channel, "P", A2, M2, Z2, [P3], F1, W2, [K5], L5, E5, V5, D5, [YH3 | YD3],
//   then nothing | G1 | S1, C1, B1, H1, N3, [O1, Q1, U1], then in a reply G1 and R1
// and in a reply the empty element after the final ",". A field is known by
// its first letter and read from its last n digits.
class CommunicationProgram {
public:
    // The extended options start as off; iLadeende comes from the setting
    // DefaultLadeende (0 when that is missing or no whole number).
    CommunicationProgram();

    // --- program fields ---
    qint16 iQ = 0;                           // Q option of the extended options, 1 or 0
    qint16 iU = 0;                           // U option, 1 or 0
    qint16 iLademode = 0;                    // 1 continuous current, 0 reverse pulse (O)
    bool bExtendedRecieved = false;          // the program carried the extended block S..N
    qint16 iLadegeraet = 4;                  // digit of the R element the charger appends
    qint16 iLadeende = 0;                    // end of charge of the extended options, tenths (N)
    qint16 iLiionMode = 0;                   // H
    qint16 iBleiakkuMode = 0;                // B
    bool bOhneLast = false;                  // end-of-discharge voltage without load (C1)
    bool bProgrammierungGesperrt = false;    // programming at the charger locked (S0)
    QString strKanal;                        // "001" .. "004"
    qint16 iSelbstentladungsIntervall = 0;   // Y; -3 when the program has none
    qint16 iSelbstentladungsIntervalTyp = 0; // 2 hours (YH), 1 days (YD)
    qint16 iGalNummer = 0;                   // digit of the G element; 0 when the text ends after the base block
    qint32 lEntladeschlussSpannung = 0;      // D, mV
    qint32 lLadeschlussSpannung = 0;         // V, mV
    qint32 lEntladeStrom = 0;                // E, mA
    qint32 lLadestrom = 0;                   // L, mA
    qint32 lKapazitaet = 0;                  // K, mAh; -3 when absent
    qint16 iWiederholtesLadenEntladen = 0;   // W
    qint16 iFormierZyklen = 0;               // F (SendeCode of FormierModi)
    qint16 iProzentwert = 0;                 // P after Z; -3 when absent
    qint16 iZellenzahl = 0;                  // Z
    qint16 iMode = 0;                        // M (ModusNr of GeraeteModi)
    // A (Nr of the battery types; 5 preset end voltages). Negative values are
    // parse results: -2 no reply, -1 unusable text, -4 the charger answered
    // with the status "SK" instead of a program.
    qint16 iAkkuTyp = 0;

    // --- device information (charger self-description) ---
    qint16 iLGChannels = 0;   // 1..4; -2 no reply, -1 malformed, -6/-7 not a number / out of range
    qint16 iLGErwPrgMode = 0; // 1 the charger offers the extended options
    qint16 iLGZzMinNICD = 0;
    qint16 iLGZzMaxNICD = 0;
    qint16 iLGZzMinNIMH = 0;
    qint16 iLGZzMaxNIMH = 0;
    qint16 iLGZzMinLiIon = 0;
    qint16 iLGZzMaxLiIon = 0;
    qint16 iLGZzMinBlei = 0;
    qint16 iLGZzMaxBlei = 0;
    qint32 iLGVLsSpMin = 0; // end-of-charge voltage (V), mV
    qint32 iLGVLsSpMax = 0;
    qint32 iLGVElsSpMin = 0; // end-of-discharge voltage (D), mV
    qint32 iLGVElsSpMax = 0;
    qint32 iLGElStrMin = 0; // discharge current (E), mA
    qint32 iLGElStrMax = 0;
    qint32 iLGLStrMin = 0; // charge current (L), mA
    qint32 iLGLStrMax = 0;
    qint32 iLGSkMin = 0; // capacity (K), mAh
    qint32 iLGSkMax = 0;
    qint16 iLGStrLeMin = 0; // end of charge of the extended options (N)
    qint16 iLGStrLeMax = 0;
    qint16 iLGPrzGSMin = 0; // capacity percentage (P)
    qint16 iLGPrzGSMax = 0;
    qint16 iLGWiEntlLMin = 0; // period of repeated charging and discharging (W)
    qint16 iLGWiEntlLMax = 0;
    qint16 iLGSEntlTaMin = 0; // self-discharge interval in days (YD)
    qint16 iLGSEntlTaMax = 0;
    qint16 iLGSEntlStMin = 0; // self-discharge interval in hours (YH)
    qint16 iLGSEntlStMax = 0;
    QString iLGTxt; // the charger's text, "_" as blanks, at most 20 characters
    // Progress of the last device-information parse: the element number of
    // the last field stored (32 after a complete parse), -1 when none.
    qint16 iLGPosition = 0;

    // Fills the program fields from a program text; the caller's text is
    // replaced by its trimmed form. bWithGal on: a charger reply (G, and R
    // after an extended block); off: a stored program string. The outcome is
    // read from iAkkuTyp. Only the fields the parse reaches change; the others
    // keep their values.
    //
    // Never throws. Returns false when a value did not convert (its digits
    // are no number); iAkkuTyp is then -1 and the fields read before it keep
    // their new values. True in every other case.
    bool splitRecievedString(QString& recieveString, bool bWithGal);
    bool splitRecievedString(QString&& recieveString, bool bWithGal)
    {
        return splitRecievedString(recieveString, bWithGal);
    }

    // Fills the device-information fields from the device-information reply:
    // channel, "G", 31 fields, and the empty element after the final ",". The
    // caller's text is replaced by its trimmed form. The outcome is read from
    // iLGPosition, iLGChannels and the field that failed (-6 not a number,
    // -7 wrong width or out of range); fields after it keep their values.
    void splitRecievedGeraeteInfoString(QString& recieveString);
    void splitRecievedGeraeteInfoString(QString&& recieveString) { splitRecievedGeraeteInfoString(recieveString); }
};
