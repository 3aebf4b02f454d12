#include "programs/ProgramExchange.h"

#include "core/ProgramResources.h"
#include "core/velmoroLog.h"
#include "link/CommunicationProgram.h"
#include "platform/MessageService.h"
#include "programs/NamedPrograms.h"
#include "programs/ProgramEditorLogic.h"
#include "programs/ProgramEditorView.h"
#include "programs/ProgramLink.h"
#include "programs/ProgramString.h"
#include "wiring/ProgramChannels.h"
#include "wiring/ProgramEditorParent.h"

#include <QStringList>
#include <utility>

namespace {

QString s(const char* name)
{
    return QString::fromLatin1(name);
}

QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

bool extensionSent(const ProgramEditorSources& sources)
{
    return sources.setting(QStringLiteral("ProgramExtensionAvaiable")).trimmed() == QLatin1String("YES");
}

QString stripTail(const QString& reply, int gFromEnd, int length)
{
    if (reply.trimmed().isEmpty() || reply.size() < length || reply.size() < gFromEnd)
        return reply;
    if (reply.at(reply.size() - gFromEnd) != QLatin1Char('G'))
        return reply;
    return reply.left(reply.size() - length);
}

bool failedRead(qint16 typ)
{
    return typ == -2 || typ == -1;
}

void logUnreadableProgram(const QString& programmId, const QString& daten)
{
    if (!objLog)
        return;
    QString name;
    for (const ListEntry& e : NamedPrograms::list())
        if (e.value == programmId)
            name = e.text;
    objLog->writeLogSignature(QStringLiteral("Named program"));
    objLog->writeLogEntry(QStringLiteral("ProgrammID %1 \"%2\" cannot be read: \"%3\"")
                              .arg(programmId, logExcerpt(name, 80), logExcerpt(daten, 200)));
}

} // namespace

// While it lives, a report from the charger waits instead of being asked about.
class ProgramExchange::Busy {
public:
    explicit Busy(ProgramExchange& x) : m_x(x) { ++m_x.m_busy; }
    ~Busy() { m_x.operationEnded(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    ProgramExchange& m_x;
};

ProgramExchange::ProgramExchange(ProgramEditorLogic& logic, ProgramEditorView& view, ProgramExchangeHost& host)
    : m_logic(logic),
      m_view(view),
      m_host(host),
      m_link(&sharedProgramLink())
{
}

void ProgramExchange::setLink(ChargerPort* link)
{
    m_link = link ? link : &sharedProgramLink();
}

// --- checks ------------------------------------------------------------------------------

bool ProgramExchange::fail(const char* id, const char* control)
{
    msgBox(res(id));
    m_view.setFocusTo(s(control));
    return false;
}

float ProgramExchange::value(const char* box) const
{
    // A box that holds no number counts as an empty one: 0.
    float v = 0;
    if (!ProgramString::readUserNumber(m_view.controlText(s(box)), v))
        return 0;
    return v;
}

bool ProgramExchange::checkBatterySelection()
{
    const bool byType = m_view.isChecked(s("optAkkuTyp"));
    if (!byType && !m_view.isChecked(s("optVorgSpannung")))
        return fail("0987", "optAkkuTyp");
    if (byType) {
        if (m_view.controlText(s("cboAkkuType")).isEmpty())
            return fail("0982", "cboAkkuType");
        if (m_view.controlText(s("cboNennSpannung")).isEmpty() || m_view.controlText(s("cboZellenzahl")).isEmpty())
            return fail("0984", "cboNennSpannung");
        return true;
    }
    if (value("txtLadeschlussSpannung") == 0 && m_logic.bLadeschlussVisible)
        return fail("0985", "txtLadeschlussSpannung");
    if (value("txtEntladeschlussSpannung") == 0 && m_logic.bEntladeschlussVisible)
        return fail("0986", "txtEntladeschlussSpannung");
    return true;
}

bool ProgramExchange::checkRequiredValues()
{
    static const struct {
        const char* box;
        const char* id;
        bool orLess;
    } required[] = {
        {"txtLadestrom", "0997", false},
        {"txtEntladestrom", "0998", false},
        {"txtKapazitaetAh", "0999", false},
        {"txtSelbstentladungsZeitraum", "0995", true},
    };
    for (const auto& r : required) {
        if (!m_view.isControlVisible(s(r.box)))
            continue;
        const float v = value(r.box);
        if (v == 0 || (r.orLess && v < 0))
            return fail(r.id, r.box);
    }
    // The period was checked against the unit chosen when it was typed.
    const QString period = s("txtSelbstentladungsZeitraum");
    if (m_view.isControlVisible(period) && !m_logic.checkRange(period)) {
        m_view.setFocusTo(period);
        return false;
    }
    return true;
}

bool ProgramExchange::checkProgramInput()
{
    return checkBatterySelection() && checkRequiredValues();
}

QString ProgramExchange::stripReplyShort(const QString& reply)
{
    return stripTail(reply, 3, 4);
}

QString ProgramExchange::stripReplyLong(const QString& reply)
{
    return stripTail(reply, 6, 7);
}

QString ProgramExchange::buildFor(const QString& channel)
{
    const QString own = m_logic.geraeteNr();
    m_logic.setGeraeteNr(channel);
    const ProgramStringResult result = m_logic.buildProgramString();
    m_logic.setGeraeteNr(own);
    if (result.ok())
        return result.text;
    msgBox(m_logic.refusalMessage(result));
    m_view.setFocusTo(result.control);
    return QString();
}

// --- the charger --------------------------------------------------------------------------

void ProgramExchange::cmdProgrammHolen_Click()
{
    std::shared_ptr<CommunicationProgram> read;
    for (int attempt = 0; attempt < 3; ++attempt) {
        // A fresh record each time: a reused one keeps what a shorter reply
        // does not reach.
        read = std::make_shared<CommunicationProgram>();
        ChargerPort::CallerReportsFailures quiet(*m_link); // the editor tells a failed fetch itself
        read->splitRecievedString(m_link->getProgram(m_logic.geraeteNr(), false), true);
        if (!failedRead(read->iAkkuTyp))
            break;
    }
    if (failedRead(read->iAkkuTyp)) {
        msgBox(res("0974"));
        return;
    }
    if (read->iAkkuTyp == -4) {
        msgBox(res("0993"), MessageService::OkOnly, MessageService::Information, res("0410"));
        return;
    }
    m_logic.takeProgram(read);
    m_logic.resetProgramSelection();
}

bool ProgramExchange::sendWithTries(const QString& text)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        ChargerPort::CallerReportsFailures quiet(*m_link); // the editor tells a failed send itself
        const QString reply = m_link->sendProgram(text);
        const QString echo = extensionSent(m_logic.sources()) ? stripReplyLong(reply) : stripReplyShort(reply);
        if (echo == text)
            return true;
    }
    return false;
}

void ProgramExchange::cmdSendButton_Click()
{
    if (!checkProgramInput())
        return;
    const QString text = buildFor(m_logic.geraeteNr());
    if (text.isEmpty())
        return;
    Busy busy(*this);
    if (msgBox(res("0980"), MessageService::OkCancel) != MessageService::Ok)
        return;
    if (!sendWithTries(text)) {
        msgBox(res("0976"));
        return;
    }
    // The editor closes: a program reported meanwhile is the one just sent.
    m_closed = true;
    m_reported.reset();
    if (m_parentWin)
        m_parentWin->resetForNewProgram();
    m_host.closeEditor();
}

void ProgramExchange::cmdSendToAll_Click()
{
    if (!m_channels)
        return;
    if (!checkProgramInput())
        return;
    const int count = m_channels->programChannelCount();
    QStringList texts;
    for (int channel = 1; channel <= count; ++channel) {
        const QString text = buildFor(QStringLiteral("00%1").arg(channel));
        if (text.isEmpty())
            return;
        texts << text;
    }
    Busy busy(*this);
    if (msgBox(res("0980"), MessageService::OkCancel) != MessageService::Ok)
        return;
    for (int i = 0; i < texts.size(); ++i) {
        if (!sendWithTries(texts.at(i))) {
            // The channels that took the new program must not go on showing
            // or recording under the old one.
            for (int done = 1; done <= i; ++done)
                m_channels->resetChannelForNewProgram(done);
            msgBox(res("0976"));
            return;
        }
    }
    m_closed = true;
    m_reported.reset();
    for (int channel = 1; channel <= texts.size(); ++channel)
        m_channels->resetChannelForNewProgram(channel);
    m_host.closeEditor();
}

// --- a program reported by the charger --------------------------------------------------------

void ProgramExchange::programChangedFromOutside(std::shared_ptr<CommunicationProgram> program)
{
    if (!program || m_closed)
        return;
    // The latest report replaces one that still waits.
    m_reported = std::move(program);
    if (m_busy > 0 || m_questionOpen || m_offerPosted)
        return;
    m_offerPosted = true;
    m_host.postOfferReportedProgram();
}

void ProgramExchange::offerReportedProgram()
{
    m_offerPosted = false;
    if (m_closed || m_busy > 0 || m_questionOpen || !m_reported)
        return;
    m_questionOpen = true;
    const MessageService::Result answer = msgBox(res("0996"), MessageService::YesNo);
    m_questionOpen = false;
    // What came in while the question was open is what the user now takes.
    std::shared_ptr<CommunicationProgram> program = std::exchange(m_reported, nullptr);
    if (answer == MessageService::Yes && program && !m_closed)
        m_logic.takeProgram(std::move(program));
}

void ProgramExchange::operationEnded()
{
    if (--m_busy > 0 || m_closed || !m_reported || m_offerPosted)
        return;
    m_offerPosted = true;
    m_host.postOfferReportedProgram();
}

// --- named programs --------------------------------------------------------------------------

void ProgramExchange::refreshProgramList()
{
    m_view.setBoundEntries(s("cboAkkuProgram"), NamedPrograms::list());
    m_view.setBoundText(s("cboAkkuProgram"), QString());
    m_view.setControlEnabled(s("cmdDeleteButton"), false);
}

void ProgramExchange::selectProgram(const QString& programmId)
{
    m_view.setBoundEntries(s("cboAkkuProgram"), NamedPrograms::list());
    m_view.setBoundText(s("cboAkkuProgram"), programmId);
    m_view.setControlEnabled(s("cmdDeleteButton"), !m_view.boundText(s("cboAkkuProgram")).isEmpty());
}

void ProgramExchange::cboAkkuProgram_Click()
{
    const QString id = m_view.boundText(s("cboAkkuProgram")).trimmed();
    if (id.isEmpty()) {
        m_view.setControlEnabled(s("cmdDeleteButton"), false);
        return;
    }
    m_view.setControlEnabled(s("cmdDeleteButton"), true);
    const std::optional<QString> daten = NamedPrograms::daten(id);
    if (!daten)
        return;
    auto program = std::make_shared<CommunicationProgram>();
    const bool parsed = program->splitRecievedString(QString(*daten), false);
    if (!parsed || program->iAkkuTyp < 0) {
        logUnreadableProgram(id, *daten);
        msgBox(res("0979"));
        return;
    }
    m_logic.takeProgram(std::move(program));
}

void ProgramExchange::cmdDeleteButton_Click()
{
    const QString id = m_view.boundText(s("cboAkkuProgram")).trimmed();
    if (id.isEmpty())
        return;
    if (msgBox(res("0994"), MessageService::YesNo, MessageService::NoIcon, res("0110")) != MessageService::Yes)
        return;
    NamedPrograms::remove(id);
    refreshProgramList();
}

void ProgramExchange::cmdSaveAsButton_Click()
{
    if (!checkProgramInput())
        return;
    const QString text = buildFor(m_logic.geraeteNr());
    if (text.isEmpty())
        return;
    Busy busy(*this);
    m_logic.setNewProgramName(QString());
    m_host.runSaveAsDialog();
    const QString name = m_logic.newProgramName().trimmed();
    if (name.isEmpty())
        return;
    if (const std::optional<QString> id = NamedPrograms::findByName(name)) {
        if (msgBox(res("0992"), MessageService::YesNo, MessageService::Question, res("0110")) != MessageService::Yes)
            return;
        NamedPrograms::overwrite(*id, text);
        selectProgram(*id);
    } else {
        selectProgram(NamedPrograms::add(name, text));
    }
}
