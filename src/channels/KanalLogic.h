#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

class KanalHost;
class KanalLink;
class KanalView;

// What one channel window does, without its widgets: it polls its channel on
// a timer, keeps the channel's state and flags, and writes its controls
// through KanalView. Every timer handler can be called directly.
class KanalLogic : public QObject {
    Q_OBJECT
public:
    // Caption colours of the status frame: the frame's own colour (a system
    // colour code) and pure red.
    static constexpr quint32 kCaptionNormal = 0x80000012u;
    static constexpr quint32 kCaptionRed = 255u;
    static constexpr int kPollInterval = 3000;
    static constexpr int kLostInterval = 14000;
    static constexpr int kWaitInterval = 6000;
    static constexpr int kFlashInterval = 1000;

    // channel: 1 .. 4. link: nullptr takes the shared link.
    KanalLogic(int channel, KanalHost& host, KanalView& view, KanalLink* link = nullptr);
    ~KanalLogic() override;

    int channelNumber() const { return m_channel; }
    // "001" .. "004"
    QString channelId() const { return m_channelId; }
    // Object name of the window: frmKanal, frmKanal2 .. frmKanal4.
    QString windowName() const;

    // --- public variables --------------------------------------------------------
    bool bRecording = false;
    bool bCurrentProgramWritten = false;
    bool bRecordingInQueue = false;
    bool bEndwerteAvaiable = false;
    qint32 lAkkuId = -1;
    qint32 lMessReiheId = -1;
    bool bMeasurementRunning = false;

    // --- state shared by the channel's own parts -----------------------------------
    qint16 iNoAnswerCount = 0;
    qint32 lTempMessReiheId = -1;
    qint32 lLastTempMessReiheId = -1;
    bool bTempValuesWritten = false;
    bool bProgramDialogOpen = false;
    bool bDiagramLoading = false;
    QDateTime dtTempStart;
    QDateTime dtRecordingStart;
    bool bResetHeading = false;

    // Timers: the poll (timerKanal1 .. timerKanal4) and the status frame's flashing.
    QTimer pollTimer;
    QTimer flashingTimer;
    void stopTimers();

    // --- life cycle ------------------------------------------------------------------
    // Load values, captions, then initChannel; starts both timers.
    void Form_Load();
    void initChannel();
    void resetForNewProgram();

    // --- status display --------------------------------------------------------------
    void setStatusFlashing(bool bFlashing);
    void setStatusbarChannelText(const QString& text);
    void flashingTimer_Timer();
    quint32 frameStatusColor() const { return m_frameStatusColor; }

    // --- recording and end values ---------------------------------------------------
    void renewTempMessreiheId();
    void endRecording();
    void resetEndValues();
    bool resetAkkuId(qint32 id);
    bool isAkkuUsed(qint32 id) const;

private:
    QString text(const char* resourceId) const;
    QString noSeriesHeading() const;
    void setCaptions();

    int m_channel;
    QString m_channelId;
    KanalHost& m_host;
    KanalView& m_view;
    KanalLink& m_link;
    quint32 m_frameStatusColor = kCaptionNormal;
};
