#pragma once

#include "channels/KanalStatusRule.h"

#include <QString>
#include <QTimer>
#include <functional>

class CommunicationProgram;
class CommunicationResults;
class EntwertList;
class KanalHost;
class KanalView;

// What one channel window shows: its captions, the status with its live
// values, the running program, the end values with the battery condition,
// the heading of the recorded series and the flashing status frame, through
// KanalView; the status-bar panel of the channel through the host; the boxes
// of faults and database failures after the tick.
class KanalDisplay {
public:
    // Caption colours of the status frame: the frame's own colour (a system
    // colour code) and pure red.
    static constexpr quint32 kCaptionNormal = 0x80000012u;
    static constexpr quint32 kCaptionRed = 255u;
    static constexpr int kFlashInterval = 1000;

    // The text of a resource identifier in the program's language.
    using Texts = std::function<QString(const QString& resourceId)>;

    // channel: 1 .. 4.
    KanalDisplay(int channel, KanalView& view, KanalHost& host, Texts texts);

    QString text(const char* resourceId) const;

    // The window's caption (by its name) and those of its controls.
    void setCaptions(const QString& windowName);

    // --- status ----------------------------------------------------------------------
    void showStatus(const KanalStatusRule::Meaning& meaning, const CommunicationResults& comRes);
    // status text X: the status box and this channel's panel of the status bar.
    void statusText(const char* resourceId);
    void setStatusbarChannelText(const QString& text);
    // The status frame flashes while the charger answers.
    QTimer flashingTimer;
    void setStatusFlashing(bool bFlashing);
    void flashingTimer_Timer();
    quint32 frameStatusColor() const { return m_frameStatusColor; }

    // --- program ---------------------------------------------------------------------
    // Battery type, mode and nominal capacity of this channel's program.
    void showProgram(const CommunicationProgram& program);
    QString getModeText(const CommunicationProgram& program) const;

    // --- end values ----------------------------------------------------------------
    void showEndValues(const EntwertList* endValues);
    // Both lists empty, condition and self-discharge hidden.
    void clearEndValues();
    void hideCondition();
    // The row of the selected line of an end-value list (-1 for none) and
    // the stored row that line leads to.
    int selectedRow(const QString& listName) const;
    qint32 rowData(const QString& listName, int row) const;

    // --- the recorded series ---------------------------------------------------------
    // The heading of the series frame and the remark box; an empty battery
    // name shows that no series records.
    void setFrameAkkumesswerteHeading(const QString& strAkkuName, const QString& strMessreiheName,
                                      const QString& strMessreiheNr);
    void showNoSeriesHeading();
    QString remark() const;
    void clearRemark();

    // --- boxes, shown after the tick, one of a kind per channel ----------------------
    void showErrorBox(const QString& message);
    void showDatabaseError(const QString& description);

private:
    QString noSeriesHeading() const;
    void clearValues();
    void showValues(const CommunicationResults& comRes);
    QString boxKey(const char* kind) const;

    int m_channel;
    QString m_channelId;
    KanalView& m_view;
    KanalHost& m_host;
    Texts m_texts;
    quint32 m_frameStatusColor = kCaptionNormal;
};
