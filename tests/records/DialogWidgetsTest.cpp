// The dialogs' widgets: the grid over the series by column name, the new
// battery and new series dialogs, and the one management dialog of the menu.
#include "RecordsFixture.h"

#include "platform/DataCombo.h"
#include "records/dlgMesswerteErfassen.h"
#include "records/dlgNeueMessreihe.h"
#include "records/dlgNeuerAkku.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

class DialogWidgetsTest : public RecordsTest {
protected:
    ScriptedDialogs dialogs;
    TestServices scripted{services, {.dialogs = &dialogs}};
};

TEST_F(DialogWidgetsTest, TheGridShowsTheSeriesByColumnNameAndItsSelectionIsTheDialogs)
{
    const qint32 a = akku(QStringLiteral("Pack"), QStringLiteral("remark of the pack"));
    series(a, 2);
    const qint32 first = series(a, 1);
    dlgMesswerteErfassen dialog(nullptr, services);
    dialog.logic().bEditMode = true;
    bool bShow = false;
    dialog.initializeDialog(bShow);
    EXPECT_EQ(dialog.windowTitle(), r("0700"));
    EXPECT_EQ(dialog.cboAkkus->currentText(), QStringLiteral("Pack"));
    EXPECT_EQ(dialog.cboAkkus->toolTip(), QStringLiteral("remark of the pack"));
    EXPECT_TRUE(dialog.cmdNeuerAkku->isHidden());
    EXPECT_FALSE(dialog.cmdAkkuLoeschen->isHidden());
    EXPECT_TRUE(dialog.cmdMessReiheAnzeigen->isEnabled());
    EXPECT_EQ(dialog.Frame1->title(), r("0710"));

    QAbstractItemModel* model = dialog.dbGrid->model();
    ASSERT_EQ(model->rowCount(), 2);
    auto& logic = dialog.logic();
    const char* captions[] = {"0712", "0714", "0716", "0718"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(model->headerData(logic.seriesColumn(MesswerteErfassenLogic::kGridColumns[i]), Qt::Horizontal),
                  r(captions[i]));
    EXPECT_TRUE(dialog.dbGrid->isColumnHidden(logic.seriesColumn("MessReiheID")));
    EXPECT_EQ(model->data(model->index(0, logic.seriesColumn("Nummer"))).toInt(), 1);
    EXPECT_EQ(model->data(model->index(0, logic.seriesColumn("Bemerkung"))).toString(), QStringLiteral("s1"));

    dialog.dbGrid->selectRow(0);
    EXPECT_EQ(logic.selectedSeriesId(), first);
}

TEST_F(DialogWidgetsTest, ANewBatteryNeedsANameNoOtherBatteryHas)
{
    akku(QStringLiteral("Taken"));
    measuring = true;
    auto d = fromChannel();
    dlgNeuerAkku dialog(d.get());
    EXPECT_EQ(dialog.windowTitle(), r("0500"));
    EXPECT_EQ(dialog.txtName->maxLength(), 30);
    EXPECT_EQ(dialog.txtAkkuBemerkung->maxLength(), 200);

    dialog.txtName->setText(QStringLiteral("   "));
    dialog.cmdOk->click();
    dialog.txtName->setText(QStringLiteral("Taken "));
    dialog.cmdOk->click();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, r("0554"));
    EXPECT_EQ(messages.shown[0].icon, MessageService::Exclamation);
    EXPECT_EQ(messages.shown[1].text, r("0552"));
    EXPECT_EQ(messages.shown[1].title, r("0550"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Akkus")), 1);
    EXPECT_FALSE(d->isLocked());

    dialog.txtName->setText(QStringLiteral(" taken "));
    dialog.txtAkkuBemerkung->setText(QStringLiteral("pack"));
    dialog.txtMessreiheBemerkung->setText(QStringLiteral("series"));
    dialog.cmdOk->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Akkus WHERE AkkuName='taken' AND bemerkung='pack'")), 1);
    EXPECT_TRUE(d->isLocked());
    EXPECT_EQ(channel.heading, QStringLiteral("taken/1"));

    // The name was stored as it was checked, so the same name with blanks is refused.
    dlgNeuerAkku again(d.get());
    again.txtName->setText(QStringLiteral("taken  "));
    again.cmdOk->click();
    EXPECT_EQ(messages.shown.back().text, r("0552"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Akkus")), 2);
}

TEST_F(DialogWidgetsTest, CancellingEitherDialogWritesNothingAndLeavesTheChoiceOpen)
{
    const qint32 a = akku(QStringLiteral("Pack"));
    series(a, 1);
    channel.lAkkuId = a;
    measuring = true;
    dlgMesswerteErfassen dialog(nullptr, services);
    auto& logic = dialog.logic();
    logic.parentWin = &channel;
    logic.lActualAkkuId = a;
    logic.bMeasurementRunning = true;
    bool bShow = false;
    dialog.initializeDialog(bShow);
    EXPECT_TRUE(dialog.optSofort->isChecked());
    EXPECT_TRUE(dialog.cmdNeueMessreihe->isEnabled());
    const QString before = snapshot();
    dialogs.then(as<dlgNeuerAkku>([](dlgNeuerAkku& d) {
        d.txtName->setText(QStringLiteral("Never"));
        d.cmdCancel->click();
    }));
    dialogs.then(as<dlgNeueMessreihe>([](dlgNeueMessreihe& d) { d.cmdCancelButton->click(); }));
    dialog.cmdNeuerAkku->click();
    dialog.cmdNeueMessreihe->click();
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(logic.isLocked());
    EXPECT_TRUE(channel.calls.isEmpty());

    // The new series dialog accepts an empty remark; the question comes without it.
    dialogs.then(as<dlgNeueMessreihe>([](dlgNeueMessreihe& d) {
        EXPECT_EQ(d.windowTitle(), r("2000"));
        d.cmdOKButton->click();
    }));
    dialog.optNaechster->click();
    dialog.cmdNeueMessreihe->click();
    EXPECT_EQ(seriesOf(a), QStringList({QStringLiteral("s1:1"), QStringLiteral(":2")}));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(dialog.cmdNeuerAkku->isEnabled());
    EXPECT_FALSE(dialog.optSofort->isEnabled());
    EXPECT_EQ(dialog.cmdCancel->text(), r("0100"));
    EXPECT_EQ(dialog.logic().seriesCount(), 2);
}

TEST_F(DialogWidgetsTest, OnlyARowTheGridShowsSelectedIsShownOrDeleted)
{
    const qint32 a = akku(QStringLiteral("Pack"));
    series(a, 1);
    const qint32 second = series(a, 2);
    dlgMesswerteErfassen dialog(nullptr, services);
    dialog.logic().bEditMode = true;
    bool bShow = false;
    dialog.initializeDialog(bShow);
    const QString before = snapshot();

    // Tabbing into the grid makes its first row current without selecting it.
    QAbstractItemModel* model = dialog.dbGrid->model();
    dialog.dbGrid->selectionModel()->setCurrentIndex(model->index(0, 0), QItemSelectionModel::NoUpdate);
    ASSERT_FALSE(dialog.dbGrid->selectionModel()->hasSelection());
    dialog.cmdMessReiheLoeschen->click();
    dialog.cmdMessReiheAnzeigen->click();
    EXPECT_EQ(messages.texts(), QStringList({r("0757"), r("0757")}));
    EXPECT_EQ(snapshot(), before);

    // The row the user selects is the one deleted; the selection goes with it.
    messages.shown.clear();
    dialog.dbGrid->selectRow(1);
    EXPECT_EQ(dialog.logic().selectedSeriesId(), second);
    dialog.cmdMessReiheLoeschen->click();
    EXPECT_EQ(messages.texts(), QStringList(r("0744") + "\r\r" + r("0742")));
    EXPECT_EQ(seriesOf(a), QStringList(QStringLiteral("s1:1")));
    EXPECT_FALSE(dialog.dbGrid->selectionModel()->hasSelection());

    // A selection cleared in the grid is no target either.
    dialog.dbGrid->selectRow(0);
    dialog.dbGrid->clearSelection();
    EXPECT_EQ(dialog.logic().selectedSeriesId(), -1);
}

TEST_F(DialogWidgetsTest, TheMenuKeepsOneManagementDialog)
{
    akku(QStringLiteral("Pack"));
    QWidget owner;
    dlgMesswerteErfassen* first = dlgMesswerteErfassen::openManager(&owner, services);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(dlgMesswerteErfassen::openManager(&owner, services), first);
    akku(QStringLiteral("Added meanwhile"));
    dlgMesswerteErfassen::openManager(&owner, services);
    EXPECT_EQ(first->cboAkkus->count(), 2);
    first->cmdCancel->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dlgMesswerteErfassen::manager(), nullptr);
}

} // namespace
