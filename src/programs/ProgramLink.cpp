#include "programs/ProgramLink.h"

#include "link/VelmoroComCommunication.h"

namespace {
// The link object is made anew when the port changes, so it is looked up at
// every conversation. Without one nobody answers.
class SharedProgramLink : public ProgramLink {
public:
    QString getProgram(const QString& strFrom, bool noKzt) override
    {
        return objComCommunication ? objComCommunication->getProgram(strFrom, noKzt) : QString();
    }
    QString sendProgram(const QString& strProgram) override
    {
        return objComCommunication ? objComCommunication->sendProgram(strProgram) : QString();
    }
};
} // namespace

ProgramLink& sharedProgramLink()
{
    static SharedProgramLink link;
    return link;
}
