#include "records/KanalBearbeitenLogic.h"

#include "core/DatabaseModul.h"
#include "core/DbAccess.h"
#include "core/MesswertStringError.h"
#include "core/ProgramResources.h"
#include "core/velmoroLog.h"
#include "link/CommunicationEndwert.h"
#include "link/CommunicationProgram.h"
#include "link/EntwertList.h"
#include "platform/Database.h"
#include "platform/MessageService.h"
#include "records/KanalBearbeitenView.h"
#include "wiring/SeriesWindowServices.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {
QString res(const char* id)
{
    return getResource(QString::fromLatin1(id));
}

QSqlQuery forwardQuery(const QString& sql, qint32 series)
{
    QSqlQuery q(dbVeluser.handle());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DatabaseError(q.lastError().text());
    q.addBindValue(series);
    if (!q.exec())
        throw DatabaseError(q.lastError().text());
    return q;
}

// Clears the busy mark however the request ends.
class LoadingMark {
public:
    explicit LoadingMark(bool& flag) : m_flag(flag) { m_flag = true; }
    ~LoadingMark() { m_flag = false; }
    LoadingMark(const LoadingMark&) = delete;
    LoadingMark& operator=(const LoadingMark&) = delete;

private:
    bool& m_flag;
};
} // namespace

KanalBearbeitenLogic::KanalBearbeitenLogic(KanalBearbeitenView* view, SeriesDiagram* diagram,
                                           SeriesProgramViewer* viewer)
    : m_view(view),
      m_diagram(diagram),
      m_viewer(viewer),
      m_program(std::make_shared<CommunicationProgram>()),
      m_endValues(std::make_shared<EntwertList>())
{
}

KanalBearbeitenLogic::~KanalBearbeitenLogic() = default;

std::vector<std::pair<QString, QString>> KanalBearbeitenLogic::captions()
{
    const std::pair<const char*, const char*> ids[] = {
        {"cmdProgram", "0802"},
        {"cmdDruck", "0806"},
        {"cmdDiagramme", "0808"},
        {"cmdOk", "0100"},
        {"frameAkkuprogramm", "0810"},
        {"lblAkkutyp", "0812"},
        {"lblMode", "0814"},
        {"lblNennkapazitaet", "0816"},
        {"lblMesswerteNachLaden", "0830"},
        {"lblMesswerteNachEntladen", "0832"},
        {"lblLadenNr", "0834"},
        {"lblEntladenNr", "0834"},
        {"lblLadenAh", "0836"},
        {"lblEntladenAh", "0836"},
        {"lblLadenVolt", "0838"},
        {"lblEntladenVolt", "0838"},
        {"lblLadenMin", "0840"},
        {"lblEntladenMin", "0840"},
        {"lblBemerkungen", "0842"},
        {"lblAkkuzustand", "0844"},
        {"lblSelbstentladung", "0850"},
    };
    std::vector<std::pair<QString, QString>> out;
    out.emplace_back(windowName(), res("0800"));
    out.emplace_back(QStringLiteral("frameAkkumesswerte"), res("0818") + QStringLiteral(" - ") + res("0820"));
    for (const auto& [name, id] : ids)
        out.emplace_back(QString::fromLatin1(name), res(id));
    return out;
}

void KanalBearbeitenLogic::Form_Load()
{
    if (!m_view)
        return;
    for (const auto& [name, caption] : captions())
        m_view->setControlText(name, caption);
}

QString KanalBearbeitenLogic::heading() const
{
    return res("0818") + QStringLiteral(" - ") + strAkkuName + QStringLiteral(" / ") + strMessreihenNr;
}

bool KanalBearbeitenLogic::Form_Activate()
{
    // Emptied first: whatever fails below, nothing of the series shown
    // before is left on the window.
    m_shown = Shown{};
    m_shown.heading = heading();
    m_shown.nennKapazitaet = QStringLiteral("---");
    m_endValues = std::make_shared<EntwertList>();
    if (!loadProgram()) {
        msgBox(res("0852"), MessageService::OkOnly, MessageService::Information, res("0410"));
        return false;
    }
    // With the number as it is stored now.
    m_shown.heading = heading();
    showProgramTexts();
    loadEndValues();
    // The texts of the last end value only: a series without end values, or
    // whose last one carries none, shows nothing of another series.
    m_shown.lists =
        EndValueDisplay::buildLists(*m_endValues, [](const CommunicationEndwert& e) { return e.lMesswertId; });
    m_shown.bemerkung = strBemerkungstext;
    showState();
    return true;
}

void KanalBearbeitenLogic::showState() const
{
    if (!m_view)
        return;
    KanalBearbeitenView& view = *m_view;
    const auto text = [&view](const char* name, const QString& value) {
        view.setControlText(QString::fromLatin1(name), value);
    };
    const auto visible = [&view](const char* name, bool shown) {
        view.setControlVisible(QString::fromLatin1(name), shown);
    };
    const auto fill = [&view](const char* name, const std::vector<EndValueDisplay::Row>& rows) {
        const QString list = QString::fromLatin1(name);
        view.clearList(list);
        for (const auto& row : rows)
            view.addListItem(list, row.text, row.itemData);
    };
    const Shown& s = m_shown;
    view.setControlText(windowName(), s.heading);
    text("frameAkkumesswerte", s.heading);
    text("txtAkkuTyp", s.akkuTyp);
    text("txtMode", s.mode);
    text("txtNennKapazitaet", s.nennKapazitaet);
    fill("lstEndwertLaden", s.lists.laden);
    fill("lstEndwertEntladen", s.lists.entladen);
    visible("lblAkkuzustand", s.lists.conditionVisible);
    visible("txtAkkuzustand", s.lists.conditionVisible);
    text("txtAkkuzustand", s.lists.conditionText);
    visible("lblSelbstentladung", s.lists.selfDischargeVisible);
    visible("txtSelbstentladung", s.lists.selfDischargeVisible);
    text("txtSelbstentladung", s.lists.selfDischargeText);
    text("txtBemerkung", s.bemerkung);
}

void KanalBearbeitenLogic::beginOpening()
{
    m_logged.clear();
}

void KanalBearbeitenLogic::logOnce(const QString& key, const QString& signature, const QStringList& entries)
{
    if (!objLog || m_logged.contains(key))
        return;
    m_logged.insert(key);
    if (!signature.isEmpty())
        objLog->writeLogSignature(signature);
    for (const QString& entry : entries)
        objLog->writeLogEntry(entry);
}

bool KanalBearbeitenLogic::loadProgram()
{
    auto q = forwardQuery(QStringLiteral("SELECT Programm, Nummer FROM MessReihen WHERE MessReiheID=?"), lMessId);
    if (!q.next())
        return false;
    const QString stored = q.value(0).toString().trimmed();
    // Deleting an earlier series of the battery moves this one down.
    if (!q.value(1).isNull())
        strMessreihenNr = q.value(1).toString();

    auto program = std::make_shared<CommunicationProgram>();
    const QString rowId = QStringLiteral("Current RowId: ") + QString::number(lMessId);
    if (!stored.isEmpty()) {
        program->splitRecievedString(QString(stored), true);
        // Shown as an empty program; the log says why.
        if (program->iAkkuTyp < 0)
            logOnce(
                QStringLiteral("program %1").arg(lMessId),
                QStringLiteral("Program Value not readable for Current Measurementrow"),
                {rowId + QStringLiteral(", Programm \"") + MesswertStringError::shortened(stored) + QLatin1Char('"')});
    } else {
        logOnce(QStringLiteral("program %1").arg(lMessId),
                QStringLiteral("No Program Value for Current Measurementrow"), {rowId});
        program->iAkkuTyp = -3;
    }
    m_program = std::move(program);
    return true;
}

void KanalBearbeitenLogic::showProgramTexts()
{
    const CommunicationProgram& program = *m_program;
    // A missing program (-3) or a stored text the parser could not use
    // names no type and no mode.
    if (program.iAkkuTyp < 0) {
        m_shown.akkuTyp.clear();
        m_shown.mode.clear();
        m_shown.nennKapazitaet = QStringLiteral("---");
        return;
    }
    m_shown.akkuTyp = EndValueDisplay::batteryTypeText(program.iAkkuTyp);
    m_shown.mode = EndValueDisplay::modeText(program);
    m_shown.nennKapazitaet = EndValueDisplay::capacityText(program);
}

void KanalBearbeitenLogic::loadEndValues()
{
    auto q = forwardQuery(QStringLiteral("SELECT MessWertId, MessWertString FROM MessWerte "
                                         "WHERE MessReiheID=? AND EW=1 ORDER BY MessWertId ASC"),
                          lMessId);
    auto list = std::make_shared<EntwertList>();
    const QString signatureKey = QStringLiteral("end values %1").arg(lMessId);
    while (q.next()) {
        const qint32 id = q.value(0).toInt();
        LoadedMeasurementValue value;
        try {
            value = parseMesswertString(q.value(1).toString(), true);
        } catch (const MesswertStringError& e) {
            // One unreadable row must not hide the others.
            const QString key = QStringLiteral("value %1").arg(id);
            if (!m_logged.contains(key)) {
                logOnce(signatureKey, QStringLiteral("Stored series: end value skipped"), {});
                logOnce(key, QString(),
                        {QStringLiteral("MessReiheID %1, MessWertId %2 skipped: %3")
                             .arg(lMessId)
                             .arg(id)
                             .arg(e.description())});
            }
            continue;
        }
        auto endwert = std::make_shared<CommunicationEndwert>();
        endwert->lMesswertId = id;
        endwert->bAkkuzustand = value.bAkkuzustand;
        endwert->iEndwertTyp = value.iEndwertTyp;
        endwert->iProzent = value.iProzent;
        endwert->lKapazitaet = value.lKapazitaet;
        endwert->lSpannung = value.lSpannung;
        endwert->bWithAkkuzustand = value.bWithAkkuzustand;
        endwert->lZykluszeit = value.zykluszeitValue();
        endwert->lSelbstentladung = value.bWithSelbstentladung ? value.lSelbstentladung : -1;
        list->Add(endwert);
    }
    m_endValues = std::move(list);
}

bool KanalBearbeitenLogic::showDiagram(qint32 endWertId, QWidget* callerForm)
{
    if (m_loadingDiagram || !m_diagram)
        return false;
    LoadingMark mark(m_loadingDiagram);
    SeriesDiagram::Request request;
    request.lMessReiheId = lMessId;
    request.lEndWertId = endWertId;
    request.callerForm = callerForm;
    request.cProg = m_program;
    return m_diagram->showDiagram(request);
}

bool KanalBearbeitenLogic::openPhase(const QString& list, QWidget* callerForm)
{
    const int row = m_view ? m_view->selectedListRow(list) : -1;
    if (row < 0)
        return false;
    return showDiagram(m_view->listItemData(list, row), callerForm);
}

void KanalBearbeitenLogic::showProgram(QWidget* owner)
{
    if (m_viewer)
        m_viewer->showProgram(owner, m_program);
}
