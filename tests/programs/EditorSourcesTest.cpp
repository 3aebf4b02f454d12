// The editor's logic reads its lists, device modes, limits and settings from
// the sources it is given: here plain data, with no database open.
#include "FakeEditorView.h"
#include "TestServices.h"
#include "TestSupport.h"

#include "link/CommunicationProgram.h"
#include "programs/ProgramEditorLogic.h"
#include "programs/ProgramEditorSources.h"

#include <QHash>
#include <gtest/gtest.h>

namespace {

class PlainSources : public ProgramEditorSources {
public:
    QVector<ListEntry> namedPrograms() const override { return {{QStringLiteral("7"), QStringLiteral("Pack")}}; }
    QVector<BatteryTypeRow> batteryTypes() const override
    {
        return {BatteryTypeRow{2, 1.2f, 1, 3, QStringLiteral("NiMH")}};
    }
    QVector<ListEntry> deviceModes() const override { return {{QStringLiteral("1"), QStringLiteral("Charge")}}; }
    QVector<ListEntry> cycleModes() const override { return {{QStringLiteral("0"), QStringLiteral("none")}}; }
    std::optional<DeviceModeLayout> deviceModeLayout(qint16 mode) const override
    {
        if (mode != 1)
            return std::nullopt;
        DeviceModeLayout charge;
        charge.chargeBlock = true;
        charge.chargeEnd = true;
        return charge;
    }
    std::optional<ValueLimits> limits(const QString& row) const override
    {
        if (row == QLatin1String("L"))
            return ValueLimits{0.1f, 5.0f};
        return std::nullopt;
    }
    QString setting(const QString& key) const override { return settings.value(key); }

    QHash<QString, QString> settings;
};

class EditorSourcesTest : public ::testing::Test {
protected:
    QString text(const char* name) const { return view.controlText(QString::fromLatin1(name)); }
    bool shown(const char* name) const { return view.isControlVisible(QString::fromLatin1(name)); }

    ScriptedMessages messages;
    TestServices services{{.messages = &messages}};
    FakeEditorView view;
    PlainSources sources;
};

} // namespace

TEST_F(EditorSourcesTest, ListsAndSwitchesComeFromTheSources)
{
    sources.settings[QStringLiteral("SendAllVisible")] = QStringLiteral("YES");
    ProgramEditorLogic logic(view, sources);
    logic.Form_Load();
    EXPECT_EQ(view.bound[QStringLiteral("cboAkkuProgram")].size(), 1);
    EXPECT_EQ(view.bound[QStringLiteral("cboAkkuType")].first().text, QStringLiteral("NiMH"));
    EXPECT_EQ(view.boundText(QStringLiteral("cboModeZyklus")), QStringLiteral("0"));
    EXPECT_TRUE(shown("cmdSendToAll"));
    EXPECT_FALSE(shown("cmdExtendedModus"));
    logic.fillBatteryTypeLists(QStringLiteral("2"));
    EXPECT_EQ(view.listItems(QStringLiteral("cboZellenzahl")), (QStringList{"1", "2", "3"}));
}

TEST_F(EditorSourcesTest, ModesLimitsAndDefaultsComeFromTheSources)
{
    sources.settings[QStringLiteral("DefaultLadestrom")] = QStringLiteral("1500");
    sources.settings[QStringLiteral("DefaultEntladestrom")] = QStringLiteral("1000");
    sources.settings[QStringLiteral("DefaultEntladeschlussSpannung")] = QStringLiteral("900");
    ProgramEditorLogic logic(view, sources);
    logic.Form_Load();
    logic.applyDeviceMode(1);
    EXPECT_TRUE(shown("txtLadestrom"));
    EXPECT_FALSE(shown("txtEntladestrom"));

    view.type(QStringLiteral("txtLadestrom"), QStringLiteral("6"));
    EXPECT_FALSE(logic.checkRange(QStringLiteral("txtLadestrom")));
    ASSERT_EQ(messages.shown.size(), 1);
    view.type(QStringLiteral("txtLadestrom"), QStringLiteral("0"));
    view.setBoundText(QStringLiteral("cboGeraeteModi"), QStringLiteral("1"));
    logic.setGeraeteNr(QStringLiteral("001"));
    // The zero current goes out as the default setting of these sources.
    EXPECT_TRUE(logic.buildProgramString().text.contains(QStringLiteral(",L01500,")));
}
