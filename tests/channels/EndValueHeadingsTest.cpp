// The column headings of the end-value lists stand over their columns: read
// off the drawn frame, each heading ends where its column's values end, in
// both languages, in a narrow and in a wide window.
#include "TestSupport.h"

#include "core/EndValueDisplay.h"
#include "core/ProgramResources.h"
#include "link/CommunicationEndwert.h"
#include "widgets/SeriesFrames.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

class EndValueHeadingsTest : public CoreTest {};

bool ink(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 140;
}

// The right ends of the runs of ink within `band`, runs closer than `gap` taken as one.
QList<int> inkRunEnds(const QImage& image, const QRect& band, int gap)
{
    QList<int> ends;
    int last = -1;
    for (int x = band.left(); x <= band.right(); ++x) {
        bool any = false;
        for (int y = band.top(); y <= band.bottom() && !any; ++y)
            any = ink(image, x, y);
        if (!any)
            continue;
        if (last >= 0 && x - last > gap)
            ends << last;
        last = x;
    }
    if (last >= 0)
        ends << last;
    return ends;
}

QRect inFrame(const QWidget* w, const QRect& r, const QWidget* frame)
{
    return QRect(w->mapTo(frame, r.topLeft()), r.size());
}

} // namespace

TEST_F(EndValueHeadingsTest, EachHeadingEndsWhereItsColumnEnds)
{
    CommunicationEndwert full;
    full.lKapazitaet = 12345;
    full.lSpannung = 12345;
    full.lZykluszeit = 1234;
    const QString row = EndValueDisplay::formatEndValueLine(12, full);

    const char* const ids[] = {"0834", "0836", "0838", "0840"};
    const char* const lists[] = {"lstEndwertLaden", "lstEndwertEntladen"};
    const char* const headings[2][4] = {{"lblLadenNr", "lblLadenAh", "lblLadenVolt", "lblLadenMin"},
                                        {"lblEntladenNr", "lblEntladenAh", "lblEntladenVolt", "lblEntladenMin"}};
    for (const char* language : {"EN", "DE"}) {
        objResources().setLanguageKey(QString::fromLatin1(language));
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        QGroupBox* frame = SeriesFrames::endValueFrame(&window, false);
        layout->addWidget(frame);
        for (int l = 0; l < 2; ++l) {
            window.findChild<QListWidget*>(QString::fromLatin1(lists[l]))->addItem(row);
            for (int c = 0; c < 4; ++c) {
                window.findChild<QLabel*>(QString::fromLatin1(headings[l][c]))
                    ->setText(getResource(QString::fromLatin1(ids[c])));
            }
        }
        window.show();

        for (const int width : {window.minimumSizeHint().width(), 700}) {
            SCOPED_TRACE(std::string(language) + ", " + std::to_string(width) + " px");
            window.resize(width, 600);
            QApplication::processEvents();
            const QImage image = frame->grab().toImage();
            for (int l = 0; l < 2; ++l) {
                auto* list = window.findChild<QListWidget*>(QString::fromLatin1(lists[l]));
                // Wider than the blank around a decimal point, narrower than two blanks.
                const int gap = list->fontMetrics().horizontalAdvance(QLatin1Char('0'));
                const QRect item = inFrame(list->viewport(), list->visualItemRect(list->item(0)), frame);
                const QList<int> columnEnds = inkRunEnds(image, item, gap);
                ASSERT_EQ(columnEnds.size(), 4) << row.toStdString();
                for (int c = 0; c < 4; ++c) {
                    QLabel* heading = window.findChild<QLabel*>(QString::fromLatin1(headings[l][c]));
                    const QList<int> ends = inkRunEnds(image, inFrame(heading, heading->rect(), frame), gap);
                    ASSERT_FALSE(ends.isEmpty()) << headings[l][c];
                    EXPECT_NEAR(ends.last(), columnEnds[c], 3) << headings[l][c];
                }
            }
        }
    }
}
