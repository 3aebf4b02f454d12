#include "channels/KanalLink.h"

#include "link/VelmoroComCommunication.h"

namespace {
// The link object of the moment: it is made anew when the port changes, so it
// is looked up at every conversation. Without one there is nobody to answer.
class SharedLink : public KanalLink {
public:
    QString getStatus(const QString& strFrom) override
    {
        return objComCommunication ? objComCommunication->getStatus(strFrom) : QString();
    }
    QString getEndwert(const QString& strFrom) override
    {
        return objComCommunication ? objComCommunication->getEndwert(strFrom) : QString();
    }
    QString getProgram(const QString& strFrom, bool noKzt) override
    {
        return objComCommunication ? objComCommunication->getProgram(strFrom, noKzt) : QString();
    }
    bool isBusy() const override { return objComCommunication && objComCommunication->isBusy(); }
};
} // namespace

KanalLink& sharedKanalLink()
{
    static SharedLink link;
    return link;
}
