#include "core/ChargerSelfInfo.h"

#include "core/DatabaseModul.h"
#include "core/MainFormServices.h"
#include "core/ProgramResources.h"
#include "core/StartupModul.h"
#include "core/StartupServices.h"
#include "core/programSettings.h"
#include "link/CommunicationProgram.h"
#include "link/VelmoroComCommunication.h"
#include "platform/MessageService.h"

namespace {
QString setting(const char* key)
{
    return objSettings().getSetting(QLatin1String(key));
}

void setSetting(const QString& key, const QString& value)
{
    objSettings().setSetting(key, value);
}

void askChargerAgain(bool check)
{
    if (MainFormServices* form = StartupServices::current().mainForm)
        form->setCheckLadegeraet(check);
}

void showInformation(const QString& text)
{
    msgBox(text, MessageService::OkOnly, MessageService::Information, getResource(QStringLiteral("0410")));
}

struct Limits {
    const char* key;
    double min;
    double max;
};

void writeCellCounts(const CommunicationProgram& info)
{
    const struct {
        int nr;
        int min;
        int max;
    } counts[] = {{1, info.iLGZzMinNICD, info.iLGZzMaxNICD},
                  {2, info.iLGZzMinNIMH, info.iLGZzMaxNIMH},
                  {3, info.iLGZzMinLiIon, info.iLGZzMaxLiIon},
                  {4, info.iLGZzMinBlei, info.iLGZzMaxBlei}};
    for (const auto& c : counts) {
        if (c.min > -1 && c.max > -1)
            dbVelmoro.exec(QStringLiteral("UPDATE Akkutypen SET ZminKZTx = ?, ZmaxKZTx = ? WHERE Nr = ?"),
                           {c.min, c.max, c.nr});
    }
}

void writeValueLimits(const CommunicationProgram& info)
{
    // The charger speaks milli-units, the editor volts, amperes and ampere-hours.
    const Limits limits[] = {
        {"05", info.iLGVLsSpMin / 1000.0, info.iLGVLsSpMax / 1000.0},
        {"E", info.iLGElStrMin / 1000.0, info.iLGElStrMax / 1000.0},
        {"L", info.iLGLStrMin / 1000.0, info.iLGLStrMax / 1000.0},
        {"K", info.iLGSkMin / 1000.0, info.iLGSkMax / 1000.0},
        {"N", info.iLGStrLeMin / 10.0, info.iLGStrLeMax / 10.0},
        {"P", double(info.iLGPrzGSMin), double(info.iLGPrzGSMax)},
        {"W", double(info.iLGWiEntlLMin), double(info.iLGWiEntlLMax)},
        {"YD", double(info.iLGSEntlTaMin), double(info.iLGSEntlTaMax)},
        {"YH", double(info.iLGSEntlStMin), double(info.iLGSEntlStMax)},
    };
    for (const Limits& l : limits) {
        if (l.min > -1 && l.max > -1)
            dbVelmoro.exec(QStringLiteral("UPDATE MinMaxWerte SET MinKztx = ?, MaxKztx = ? "
                                          "WHERE Bez = ? COLLATE BINARY"),
                           {l.min, l.max, QLatin1String(l.key)});
    }
}
} // namespace

void checkChargerSelfInfo()
{
    if (setting("UsedCharger") == QLatin1String("KZTx"))
        refreshChargerSelfInfo();
}

void refreshChargerSelfInfo()
{
    if (!readChargerSelfInfo())
        resetFirstStartup();
}

bool readChargerSelfInfo()
{
    // Cleared first: a poll answered while this read waits starts no second one.
    askChargerAgain(false);
    if (!objComCommunication)
        openComCommunication();

    CommunicationProgram info;
    bool complete = false;
    for (int attempt = 1; attempt <= 3 && !complete; ++attempt) {
        QString reply =
            objComCommunication ? objComCommunication->getGeraeteInfo(QStringLiteral("001"), true) : QString();
        info.splitRecievedGeraeteInfoString(reply);
        if (info.iLGPosition == 32) {
            complete = true;
        } else if (info.iLGPosition == -1) {
            // -2: no reply; another count: the channel count was unusable.
            if (info.iLGChannels == -1 && attempt == 3) {
                showInformation(getResource(QStringLiteral("0988")));
                askChargerAgain(true);
                return false;
            }
        } else if (attempt == 3) {
            showInformation(getResource(QStringLiteral("0989")) + QLatin1Char(' ') + QString::number(info.iLGPosition));
            // Asked again at the next answered poll.
            askChargerAgain(true);
            return true;
        }
    }
    if (!complete)
        return true;

    applyChargerSelfInfo(info);
    if (MainFormServices* form = StartupServices::current().mainForm) {
        form->ReloadWindowCaption();
        form->setProgramExtensionSetting();
        form->optimizeStatusbar();
        form->showChannelWindow1();
        form->showChannelWindows2To4();
    }
    askChargerAgain(false);
    return true;
}

void applyChargerSelfInfo(CommunicationProgram& info)
{
    try {
        const QString count = QString::number(info.iLGChannels);
        if (count != setting("KZTxChannelCount")) {
            setSetting(QStringLiteral("KZTxChannelCount"), count);
            const int shown = info.iLGChannels >= 2 && info.iLGChannels <= 4 ? info.iLGChannels : 1;
            static const char* const visibleKeys[4] = {"Akku1Visible", "Akku2Visible", "Akku3Visible", "Akku4Visible"};
            for (int n = 1; n <= 4; ++n)
                setSetting(QLatin1String(visibleKeys[n - 1]),
                           n <= shown ? QStringLiteral("YES") : QStringLiteral("NO"));
            if (MainFormServices* form = StartupServices::current().mainForm) {
                for (int n = 1; n <= 4; ++n)
                    form->setChannelMenuEnabled(n, n <= shown);
            }
        }
        if (info.iLGErwPrgMode == 1)
            setSetting(QStringLiteral("KZTxExtensionAvailable"), QStringLiteral("YES"));
        else
            setSetting(QStringLiteral("KZtxExtensionAvailable"), QStringLiteral("NO"));
        setSetting(QStringLiteral("ChargerTextTop"), info.iLGTxt);

        // Both tables or neither: a failure leaves the limits of the last
        // good description, never half of a new one.
        Transaction transaction(dbVelmoro);
        writeCellCounts(info);
        writeValueLimits(info);
        transaction.commit();
        // The shared recordsets still hold the rows read before: every later
        // check must see the charger's own limits.
        requeryLimitRecordsets();
    } catch (const DatabaseError&) {
        msgBox(QStringLiteral("FATAL ERROR: Program Resources not found!") + QChar(13)
               + QStringLiteral("Contact your contractor!"));
    }
}

void resetFirstStartup()
{
    setSetting(QStringLiteral("FirstStartup"), QStringLiteral("YES"));
    setSetting(QStringLiteral("ChargerSelfInfo"), QStringLiteral("NO"));
    MainFormServices* form = StartupServices::current().mainForm;
    if (!form)
        return;
    // So that leaving now keeps every channel the model has as visible.
    for (int n = 1; n <= 4; ++n)
        form->setChannelMenuChecked(n, true);
    form->closeMainForm();
}
