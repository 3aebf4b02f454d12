#pragma once

#include <QString>
#include <QtGlobal>

// What the records dialog needs of the channel window that opened it: start
// and end its recording, head its values frame, and set its recording
// members. The channel window implements it; tests give the dialog a fake.
class RecordingChannel {
public:
    virtual ~RecordingChannel() = default;

    // Raises DatabaseError when the recording could not start; the channel's
    // state is then unchanged.
    virtual void startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp) = 0;
    // Records the program that started last on the channel from its start,
    // as a series queued before that start would have recorded it: the values
    // collected since then go into the series, and the recording goes on
    // while that program runs. Returns whether it goes on. Raises
    // DatabaseError as startRecording does.
    virtual bool recordStartedProgram(qint32 lakku, qint32 lmess) = 0;
    virtual void endRecording() = 0;
    // Without a battery name the frame gets its plain heading and the remark box is emptied.
    virtual void setFrameAkkumesswerteHeading(const QString& strAkkuName, const QString& strMessreiheName,
                                              const QString& strMessreiheNr) = 0;
    virtual void setRecordingInQueue(bool queued) = 0;
    virtual void setAkkuId(qint32 id) = 0;
    virtual void setMessReiheId(qint32 id) = 0;

    // What the channel does now. It goes on polling while a question of the
    // dialog is open, so a queued series may have started meanwhile.
    virtual bool isRecording() const = 0;
    virtual bool isRecordingInQueue() const = 0;
    virtual bool isMeasurementRunning() const = 0;
    virtual qint32 messReiheId() const = 0;
    // How many program starts the channel has seen: a count that grew since
    // the dialog opened means the next program start has come meanwhile.
    virtual quint32 programStartCount() const = 0;
};
