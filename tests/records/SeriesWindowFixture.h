#pragma once

// The stored series window against a real user database, with a diagram
// window and a program viewer that note what they were given.
#include "RecordsFixture.h"

#include "core/EndValueDisplay.h"
#include "core/MesswertStringError.h"
#include "core/velmoroLog.h"
#include "diagrams/DiagramOpener.h"
#include "diagrams/SeriesDiagramWindow.h"
#include "diagrams/frmDiagramm.h"
#include "link/CommunicationEndwert.h"
#include "link/CommunicationProgram.h"
#include "link/EntwertList.h"
#include "platform/ScreenFit.h"
#include "printing/ReportLayout.h"
#include "printing/WidgetControlReader.h"
#include "records/KanalBearbeitenLogic.h"
#include "records/UsedProgramViewer.h"
#include "records/dlgMesswerteErfassen.h"
#include "records/frmKanalBearbeiten.h"
#include "wiring/SeriesWindowServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

// The diagram window as the series window sees it: notes each request.
class FakeDiagram : public SeriesDiagram {
public:
    std::vector<Request> requests;
    bool answer = true;
    std::function<void()> during;
    bool showDiagram(const Request& request) override
    {
        requests.push_back(request);
        if (during)
            during();
        return answer;
    }
};

class FakeViewer : public SeriesProgramViewer {
public:
    std::vector<std::shared_ptr<CommunicationProgram>> shown;
    void showProgram(QWidget*, const std::shared_ptr<CommunicationProgram>& program) override
    {
        shown.push_back(program);
    }
};

class SeriesWindowTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        openGlobalRecordsets();
        objLog = std::make_unique<velmoroLog>(folder.path());
        akkuId = akku(QStringLiteral("Pack"));
    }
    void TearDown() override
    {
        if (auto* w = frmKanalBearbeiten::current())
            delete w;
        objLog.reset();
        RecordsTest::TearDown();
    }

    // A series with its stored program and these end-value texts (in order).
    qint32 storedSeries(const QVariant& program, const QStringList& endValues, int plainValues = 0)
    {
        dbVeluser.exec(
            QStringLiteral("INSERT INTO MessReihen (AkkuId, Nummer, bemerkung, Programm) VALUES (?, 1, 'r', ?)"),
            {akkuId, program});
        const qint32 id = dbVeluser.lastInsertId().toInt();
        for (int i = 0; i < plainValues; ++i)
            value(id, false, QStringLiteral("1;2;3;%1").arg(i));
        for (const QString& e : endValues)
            value(id, true, e);
        return id;
    }
    qint32 value(qint32 series, bool ew, const QString& text)
    {
        dbVeluser.exec(QStringLiteral("INSERT INTO MessWerte (MessReiheID, EW, MessWertString) VALUES (?, ?, ?)"),
                       {series, ew ? 1 : 0, text});
        return dbVeluser.lastInsertId().toInt();
    }
    KanalBearbeitenLogic& activate(qint32 id)
    {
        logic.lMessId = id;
        logic.strAkkuName = QStringLiteral("Pack");
        logic.strMessreihenNr = QStringLiteral("1");
        logic.strBemerkungstext = QStringLiteral("remark");
        EXPECT_TRUE(logic.Form_Activate());
        return logic;
    }
    static QStringList texts(const std::vector<EndValueDisplay::Row>& rows)
    {
        QStringList out;
        for (const auto& r : rows)
            out << r.text;
        return out;
    }
    QString errorLog() const
    {
        objLog.reset();
        QFile f(folder.path() + QStringLiteral("/error.log"));
        f.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(f.readAll());
        objLog = std::make_unique<velmoroLog>(folder.path());
        return text;
    }

    static QString charge(int mah, int mv, int min)
    {
        return QStringLiteral("2;%1;%2;600;%3").arg(mah).arg(mv).arg(min);
    }
    static QString discharge(int mah, int mv, int min)
    {
        return QStringLiteral("3;%1;%2;600;%3").arg(mah).arg(mv).arg(min);
    }

    FakeDiagram diagram;
    FakeViewer viewer;
    // The series windows of these tests draw in the fake diagram and show
    // their programs in the fake viewer.
    TestServices services{RecordsTest::services, {.seriesDiagram = &diagram, .seriesProgramViewer = &viewer}};
    FakeKanalBearbeitenView view;
    KanalBearbeitenLogic logic{&view, &diagram, &viewer};
    qint32 akkuId = -1;
};

inline const QString kProgram = QStringLiteral("001,P,A02,M01,Z06,F0,W30,L01500,E00500,V07200,D05400,G1,");
