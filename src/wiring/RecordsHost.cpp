#include "wiring/RecordsHost.h"

namespace {
class NoChannels : public RecordsHost {
public:
    QString isAkkuUsed(qint32) override { return QStringLiteral("notUsed"); }
    QString resetAkkuId(qint32) override { return QStringLiteral("noReset"); }
};

NoChannels g_noChannels;
RecordsHost* g_host = nullptr;
} // namespace

RecordsHost& RecordsHost::instance()
{
    return g_host ? *g_host : static_cast<RecordsHost&>(g_noChannels);
}

RecordsHost* RecordsHost::setInstance(RecordsHost* host)
{
    RecordsHost* previous = g_host;
    g_host = host;
    return previous;
}

RecordsNotifier& RecordsNotifier::instance()
{
    static RecordsNotifier notifier;
    return notifier;
}
