// The channel window's widgets: the control names the printout reads, the
// captions of every channel, the flashing status frame, hiding on close.
#include "FakeChargerPort.h"
#include "KanalFakes.h"
#include "TestSupport.h"

#include "channels/frmKanal.h"
#include "core/ProgramResources.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
class KanalWindowTest : public CoreTest {
protected:
    FakeHost host;
    FakeChargerPort link;
};
} // namespace

TEST_F(KanalWindowTest, CarriesEveryControlThePrintoutReadsByName)
{
    frmKanal w(1, host, services, &link);
    const char* labels[] = {
        "lblAkkutyp",     "lblMode",         "lblNennkapazitaet", "lblMesswerteNachLaden", "lblMesswerteNachEntladen",
        "lblLadenNr",     "lblLadenAh",      "lblLadenVolt",      "lblLadenMin",           "lblEntladenNr",
        "lblEntladenAh",  "lblEntladenVolt", "lblEntladenMin",    "lblAkkuzustand",        "lblSelbstentladung",
        "lblBemerkungen", "lblStrom",        "lblSpannung",       "lblKapazitaet"};
    for (const char* name : labels)
        EXPECT_NE(w.findChild<QLabel*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"txtAkkuTyp", "txtMode", "txtNennKapazitaet", "txtAkkuzustand", "txtSelbstentladung",
                             "txtBemerkung", "txtStatus", "txtSpannung", "txtStrom", "txtKapazitaet"})
        EXPECT_NE(w.findChild<QLineEdit*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"frameAkkuprogramm", "frameAkkumesswerte", "frameStatus"})
        EXPECT_NE(w.findChild<QGroupBox*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"lstEndwertLaden", "lstEndwertEntladen"})
        EXPECT_NE(w.findChild<QListWidget*>(QString::fromLatin1(name)), nullptr) << name;
    // The Program, recording and diagram buttons open their windows.
    for (const char* name : {"cmdProgram", "cmdMesswert", "cmdDiagramme"}) {
        auto* b = w.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_TRUE(b->isEnabled()) << name;
    }
    // The report prints.
    ASSERT_NE(w.findChild<QPushButton*>(QStringLiteral("cmdDruck")), nullptr);
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdDruck"))->isEnabled());
}

TEST_F(KanalWindowTest, LoadSetsCaptionsHidesConditionFieldsAndStartsBothTimers)
{
    const char* windowCaptions[] = {"0800", "0799", "0798", "0797"};
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        link.programFallback = QStringLiteral("00%1,P,A02,M01,Z06,F0,W30,L01000,E00500,V07200,D05400,G1,").arg(n);
        link.statusFallback = QStringLiteral("00%1,M,SA,").arg(n);
        frmKanal w(n, host, services, &link);
        w.findChild<QLineEdit*>(QStringLiteral("txtAkkuzustand"))->setText(QStringLiteral("old"));
        w.Form_Load();
        w.stopTimers();
        EXPECT_EQ(w.objectName(), n == 1 ? QStringLiteral("frmKanal") : QStringLiteral("frmKanal%1").arg(n));
        EXPECT_EQ(w.channelId(), QStringLiteral("00%1").arg(n));
        EXPECT_EQ(w.windowTitle(), getResource(QString::fromLatin1(windowCaptions[n - 1])));
        EXPECT_EQ(w.controlText(QStringLiteral("frameAkkumesswerte")),
                  getResource(QStringLiteral("0818")) + QStringLiteral(" - ") + getResource(QStringLiteral("0820")));
        EXPECT_EQ(w.controlText(QStringLiteral("cmdDiagramme")), getResource(QStringLiteral("0808")));
        EXPECT_EQ(w.controlText(QStringLiteral("lblEntladenVolt")), getResource(QStringLiteral("0838")));
        EXPECT_EQ(w.controlText(QStringLiteral("lblSelbstentladung")), getResource(QStringLiteral("0850")));
        for (const char* name : {"lblSelbstentladung", "txtSelbstentladung", "lblAkkuzustand", "txtAkkuzustand"})
            EXPECT_FALSE(w.isControlVisible(QString::fromLatin1(name))) << name;
        EXPECT_TRUE(w.isControlVisible(QStringLiteral("txtBemerkung")));
        EXPECT_EQ(w.controlText(QStringLiteral("txtAkkuzustand")), QString());
        EXPECT_EQ(w.logic().pollTimer.objectName(), QStringLiteral("timerKanal%1").arg(n));
        EXPECT_EQ(w.logic().pollTimer.interval(), 3000);
        EXPECT_EQ(w.logic().flashingTimer.interval(), 1000);
    }
}

TEST_F(KanalWindowTest, StatusFrameFlashesRedAndStopsInItsOwnColour)
{
    frmKanal w(3, host, services, &link);
    w.Form_Load();
    EXPECT_TRUE(w.logic().flashingTimer.isActive());
    w.stopTimers();
    KanalLogic& l = w.logic();
    l.setStatusFlashing(true);
    EXPECT_TRUE(l.flashingTimer.isActive());
    EXPECT_EQ(w.captionColor(QStringLiteral("frameStatus")), KanalLogic::kCaptionNormal);
    l.flashingTimer_Timer();
    EXPECT_EQ(w.captionColor(QStringLiteral("frameStatus")), KanalLogic::kCaptionRed);
    EXPECT_TRUE(
        w.findChild<QGroupBox*>(QStringLiteral("frameStatus"))->styleSheet().contains(QStringLiteral("#ff0000")));
    l.flashingTimer_Timer();
    EXPECT_EQ(w.captionColor(QStringLiteral("frameStatus")), KanalLogic::kCaptionNormal);
    l.flashingTimer_Timer();
    l.setStatusFlashing(false);
    EXPECT_FALSE(l.flashingTimer.isActive());
    EXPECT_EQ(w.captionColor(QStringLiteral("frameStatus")), KanalLogic::kCaptionNormal);
    EXPECT_TRUE(w.findChild<QGroupBox*>(QStringLiteral("frameStatus"))->styleSheet().isEmpty());
}

TEST_F(KanalWindowTest, ClosingByTheUserOnlyHidesAndUnchecks)
{
    frmKanal w(2, host, services, &link);
    w.Form_Load();
    w.show();
    host.menuChecked[2] = true;
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isHidden());
    EXPECT_FALSE(host.menuChecked[2]);
    EXPECT_TRUE(w.logic().pollTimer.isActive());

    // The end of the program lets the unload go ahead.
    int cancel = 0;
    w.Form_QueryUnload(cancel, 1);
    EXPECT_EQ(cancel, 0);
    w.stopTimers();
}
