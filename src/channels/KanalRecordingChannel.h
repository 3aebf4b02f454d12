#pragma once

#include "channels/KanalLogic.h"
#include "wiring/RecordingChannel.h"

// The channel as the records dialog drives it.
class KanalRecordingChannel : public RecordingChannel {
public:
    explicit KanalRecordingChannel(KanalLogic& logic) : m_logic(logic) {}

    void startRecording(qint32 lakku, qint32 lmess, bool bInQueue, bool bWithTemp) override
    {
        m_logic.startRecording(lakku, lmess, bInQueue, bWithTemp);
    }
    bool recordStartedProgram(qint32 lakku, qint32 lmess) override
    {
        return m_logic.recordStartedProgram(lakku, lmess);
    }
    void endRecording() override { m_logic.endRecording(); }
    void setFrameAkkumesswerteHeading(const QString& strAkkuName, const QString& strMessreiheName,
                                      const QString& strMessreiheNr) override
    {
        m_logic.setFrameAkkumesswerteHeading(strAkkuName, strMessreiheName, strMessreiheNr);
    }
    void setRecordingInQueue(bool queued) override { m_logic.bRecordingInQueue = queued; }
    void setAkkuId(qint32 id) override { m_logic.lAkkuId = id; }
    void setMessReiheId(qint32 id) override { m_logic.lMessReiheId = id; }
    bool isRecording() const override { return m_logic.bRecording; }
    bool isRecordingInQueue() const override { return m_logic.bRecordingInQueue; }
    bool isMeasurementRunning() const override { return m_logic.bMeasurementRunning; }
    qint32 messReiheId() const override { return m_logic.lMessReiheId; }
    quint32 programStartCount() const override { return m_logic.programStartCount(); }

private:
    KanalLogic& m_logic;
};
