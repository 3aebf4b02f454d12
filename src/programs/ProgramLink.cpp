#include "programs/ProgramLink.h"

#include "link/VelmoroComCommunication.h"

namespace {
// The link object is made anew when the port changes, so it is looked up at
// every conversation. Without one nobody answers.
class SharedProgramLink : public ProgramLink {
public:
    // The editor tells a failed fetch or send itself; the link adds no box.
    QString getProgram(const QString& strFrom, bool noKzt) override
    {
        if (!objComCommunication)
            return QString();
        VelmoroComCommunication::CallerReportsFailures quiet(*objComCommunication);
        return objComCommunication->getProgram(strFrom, noKzt);
    }
    QString sendProgram(const QString& strProgram) override
    {
        if (!objComCommunication)
            return QString();
        VelmoroComCommunication::CallerReportsFailures quiet(*objComCommunication);
        return objComCommunication->sendProgram(strProgram);
    }
};
} // namespace

ProgramLink& sharedProgramLink()
{
    static SharedProgramLink link;
    return link;
}
