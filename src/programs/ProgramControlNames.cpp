#include "programs/ProgramControlNames.h"

const QStringList& programFormControlNames()
{
    static const QStringList names{
        // The battery.
        QStringLiteral("frameAkku1"),
        QStringLiteral("optAkkuTyp"),
        QStringLiteral("optVorgSpannung"),
        QStringLiteral("cboAkkuType"),
        QStringLiteral("lblZellenzahl"),
        QStringLiteral("cboZellenzahl"),
        QStringLiteral("lblNennSpannung"),
        QStringLiteral("cboNennSpannung"),
        QStringLiteral("lblLadeSchlussSpannung"),
        QStringLiteral("txtLadeschlussSpannung"),
        QStringLiteral("lblVoltLade"),
        QStringLiteral("lblEntladeschlussSpannung"),
        QStringLiteral("txtEntladeschlussSpannung"),
        QStringLiteral("lblVoltEntl"),
        QStringLiteral("chkSollKapazitaet"),
        QStringLiteral("txtKapazitaetAh"),
        QStringLiteral("lblKapazitaetAh"),
        QStringLiteral("lblKapazitaetProzent1"),
        QStringLiteral("txtKapazitaetProzent"),
        QStringLiteral("lblKapazitaetProzent2"),
        // The program.
        QStringLiteral("lblMode"),
        QStringLiteral("cboGeraeteModi"),
        QStringLiteral("cboModeZyklus"),
        QStringLiteral("lblZeitraum"),
        QStringLiteral("txtZeitraum"),
        QStringLiteral("lblLadestrom"),
        QStringLiteral("txtLadestrom"),
        QStringLiteral("lblAmpereLaden"),
        QStringLiteral("lblLadeStromC"),
        QStringLiteral("cboLadeStromC"),
        QStringLiteral("lblEntladestrom"),
        QStringLiteral("txtEntladestrom"),
        QStringLiteral("lblAmpereEntladen"),
        QStringLiteral("lblEnladeStromC"),
        QStringLiteral("cboEntladeStromC"),
        // The self-discharge test.
        QStringLiteral("Frame3"),
        QStringLiteral("chkSelbstentladung"),
        QStringLiteral("lblSelbstentladungNach"),
        QStringLiteral("txtSelbstentladungsZeitraum"),
        QStringLiteral("optSelbstentladungStunden"),
        QStringLiteral("optSelbstentladungTage"),
    };
    return names;
}

const QStringList& programEditorControlNames()
{
    static const QStringList names =
        QStringList{
            QStringLiteral("dlgVelmoroProgram"), QStringLiteral("lblAkkuprogrammWaehlen"),
            QStringLiteral("cboAkkuProgram"),    QStringLiteral("cmdProgrammHolen"),
            QStringLiteral("cmdExtendedModus"),  QStringLiteral("frameAkku2"),
            QStringLiteral("cmdSendButton"),     QStringLiteral("cmdSendToAll"),
            QStringLiteral("cmdSaveAsButton"),   QStringLiteral("cmdDeleteButton"),
            QStringLiteral("cmdCancelButton"),
        }
        + programFormControlNames();
    return names;
}

const QStringList& programViewerControlNames()
{
    static const QStringList names =
        QStringList{
            QStringLiteral("dlgUsedProgram"),
            QStringLiteral("cmdExtendedModus"),
            QStringLiteral("cmdCancelButton"),
        }
        + programFormControlNames();
    return names;
}

const QStringList& extendedOptionsControlNames()
{
    static const QStringList names{
        QStringLiteral("frameProgrammierung"),
        QStringLiteral("optGesperrt"),
        QStringLiteral("optFreigegeben"),
        QStringLiteral("frameSpannungMessen"),
        QStringLiteral("optOhneLast"),
        QStringLiteral("optUnterLast"),
        QStringLiteral("frameBleiakku"),
        QStringLiteral("optBleiakkuMode2"),
        QStringLiteral("optBleiakkuMode1"),
        QStringLiteral("frameLiIon"),
        QStringLiteral("optLiIonMode2"),
        QStringLiteral("optLiIonMode1"),
        QStringLiteral("frameLademode"),
        QStringLiteral("optDauerstrom"),
        QStringLiteral("optReversepulse"),
        QStringLiteral("frameQ"),
        QStringLiteral("optQ2"),
        QStringLiteral("optQ1"),
        QStringLiteral("frameU"),
        QStringLiteral("optU2"),
        QStringLiteral("optU1"),
        QStringLiteral("frameLadeende"),
        QStringLiteral("lblLadeende"),
        QStringLiteral("txtLadeende"),
        QStringLiteral("cmdOk"),
        QStringLiteral("cmdCancel"),
    };
    return names;
}
