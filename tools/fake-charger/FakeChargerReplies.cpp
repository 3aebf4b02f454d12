#include "FakeChargerImpl.h"

#include "FakeProgram.h"

// What the fake answers to a frame: the reply of its channel, or what a fault
// injected by the test makes of it.

namespace {
bool isChannelId(const QString& s)
{
    return s.size() == 3 && s.startsWith(QLatin1String("00")) && s.at(2) >= QLatin1Char('1')
           && s.at(2) <= QLatin1Char('4');
}

// A program echo with the last digit of its third element changed.
QString withOneDigitChanged(const QString& payload)
{
    QStringList e = payload.split(QLatin1Char(','));
    if (e.size() > 2 && !e[2].isEmpty() && e[2].back().isDigit()) {
        const int digit = e[2].back().digitValue();
        e[2].back() = QChar(u'0' + (digit + 1) % 10);
    }
    return e.join(QLatin1Char(','));
}
} // namespace

void FakeCharger::Impl::advanceLocked(long long seconds)
{
    for (long long s = 0; s < seconds; ++s)
        for (FakeChannel& ch : channels)
            ch.tick();
    simSeconds += seconds;
}

QString FakeCharger::Impl::echoLocked(const QString& program) const
{
    QString echo = program + QStringLiteral(",G%1,").arg(echoG);
    const auto parsed = FakeProgram::parse(program);
    if (parsed && parsed->extended)
        echo += QStringLiteral("R%1,").arg(echoR);
    return echo;
}

QString FakeCharger::Impl::normalReplyLocked(FakeChannel& ch, const FakeFrame& frame)
{
    const QString& cmd = frame.command;
    if (cmd == QLatin1String("M"))
        return ch.takePush() ? ch.endValuePayload() : ch.statusPayload();
    if (cmd == QLatin1String("D"))
        return ch.endValuePayload();
    if (cmd == QLatin1String("W"))
        return echoLocked(ch.program());
    if (cmd == QLatin1String("P")) {
        if (!FakeProgram::parse(frame.body))
            return ch.id() + QStringLiteral(",M,SP,");
        ch.setProgram(frame.body);
        ch.startProgram();
        return echoLocked(frame.body);
    }
    if (cmd == QLatin1String("G") && model == Model::SelfDescribing)
        return FakeDeviceInfo::payload(ch.id(), deviceInfo);
    return QString();
}

std::optional<FakeCharger::Impl::Rule> FakeCharger::Impl::takeRuleLocked(const FakeFrame& frame)
{
    for (auto it = rules.begin(); it != rules.end(); ++it) {
        if ((!it->channel.isEmpty() && it->channel != frame.channel)
            || (!it->command.isEmpty() && it->command != frame.command))
            continue;
        if (it->every > 0 && ++it->seen % it->every != 0)
            continue;
        Rule rule = *it;
        if (it->times > 0 && --it->times == 0)
            rules.erase(it);
        return rule;
    }
    return std::nullopt;
}

std::vector<FakeCharger::Impl::Output> FakeCharger::Impl::respondLocked(const FakeFrame& frame)
{
    std::vector<Output> out;
    // Replies held back from earlier requests arrive first.
    for (QByteArray& late : held)
        out.push_back({std::move(late), 0});
    held.clear();

    FakeChannel* ch = isChannelId(frame.channel) ? channel(frame.channel.right(1).toInt()) : nullptr;
    if (!ch)
        return out;

    const std::optional<Rule> rule = takeRuleLocked(frame);
    if (rule && rule->raw) {
        out.push_back({rule->rawBytes, 0});
        return out;
    }

    QString payload;
    const FakeFault fault = rule ? rule->fault : FakeFault::NoReply;
    if (rule && fault == FakeFault::NoReply)
        return out;
    if (rule && fault == FakeFault::Refuse) {
        payload = ch->id() + QStringLiteral(",M,SK,");
    } else if (rule && fault == FakeFault::OtherChannel) {
        FakeChannel* other = channel(ch->number() % channelCount + 1);
        payload =
            other && other != ch ? other->statusPayload() : QStringLiteral("00%1,M,SA,").arg(ch->number() == 1 ? 2 : 1);
    } else {
        payload = normalReplyLocked(*ch, frame);
    }
    if (payload.isEmpty())
        return out;
    replies << payload;
    if (rule && fault == FakeFault::BadEcho)
        payload = withOneDigitChanged(payload);

    const QByteArray body = payload.toLatin1();
    if (!rule)
        out.push_back({QByteArray(1, DC4) + ',' + body + ETX, 0});
    else
        shapeLocked(out, fault, body);
    return out;
}

void FakeCharger::Impl::shapeLocked(std::vector<Output>& out, FakeFault fault, const QByteArray& body)
{
    QByteArray frameBytes = QByteArray(1, DC4) + ',' + body + ETX;
    switch (fault) {
    case FakeFault::Malformed:
        out.push_back({QByteArray(1, DC4) + body + ETX, 0});
        break;
    case FakeFault::Truncated:
        out.push_back({QByteArray(1, DC4) + ',' + body, 0});
        break;
    case FakeFault::Noise:
        out.push_back({QByteArray("\x7f#~ q") + frameBytes + QByteArray("z%\x11"), 0});
        break;
    case FakeFault::SplitReply: {
        const qsizetype half = frameBytes.size() / 2;
        out.push_back({frameBytes.left(half), 0});
        out.push_back({frameBytes.mid(half), splitPauseMs});
        break;
    }
    case FakeFault::LateReply:
        held.push_back(frameBytes);
        break;
    default:
        out.push_back({frameBytes, 0});
        break;
    }
}
