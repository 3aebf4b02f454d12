#include "link/ChargerPort.h"

#include "link/VelmoroComCommunication.h"

#include <optional>

namespace {
// The link object of the moment: it is made anew when the port changes, so it
// is looked up at every conversation. Without one there is nobody to answer.
class SharedChargerPort : public ChargerPort {
public:
    QString getStatus(const QString& strFrom) override
    {
        return converse([&](VelmoroComCommunication& link) { return link.getStatus(strFrom); });
    }
    QString getEndwert(const QString& strFrom) override
    {
        return converse([&](VelmoroComCommunication& link) { return link.getEndwert(strFrom); });
    }
    QString getProgram(const QString& strFrom, bool noKzt) override
    {
        return converse([&](VelmoroComCommunication& link) { return link.getProgram(strFrom, noKzt); });
    }
    QString sendProgram(const QString& strProgram) override
    {
        return converse([&](VelmoroComCommunication& link) { return link.sendProgram(strProgram); });
    }
    bool isBusy() const override { return objComCommunication && objComCommunication->isBusy(); }

private:
    template <typename Conversation>
    QString converse(Conversation conversation)
    {
        if (!objComCommunication)
            return QString();
        std::optional<VelmoroComCommunication::CallerReportsFailures> quiet;
        if (callerReportsFailures())
            quiet.emplace(*objComCommunication);
        return conversation(*objComCommunication);
    }
};
} // namespace

ChargerPort& sharedChargerPort()
{
    static SharedChargerPort port;
    return port;
}
