#pragma once

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

class ControlReader;

// The printed pages as placed texts, lines and one picture, in millimetres.
// A page's items are placed relative to its origin; the origin itself lies in
// millimetres from the top-left corner of the printable area. Font sizes are
// millimetres too, so one scale serves printer, PDF and image alike.
namespace ReportLayout {

// The family with Arial's metrics the fixed-column rows are laid out for.
inline constexpr const char* kFontFamily = "Liberation Sans";

inline constexpr double kTwipsPerMm = 56.7;
constexpr double twipsToMm(double twips)
{
    return twips / kTwipsPerMm;
}
constexpr double pointsToMm(double points)
{
    return points * 25.4 / 72.0;
}

struct Font {
    double sizeMm = pointsToMm(10);
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

struct PlacedText {
    // Top of the text; its left end, or its right end when alignRight.
    QPointF pos;
    QString text;
    Font font;
    bool alignRight = false;
};

struct Page {
    QPointF origin;
    QList<QRectF> frames;
    QList<QLineF> lines;
    QList<PlacedText> texts;
    // Where the captured diagram goes, drawn to fill the rectangle.
    std::optional<QRectF> picture;
};

struct Document {
    bool landscape = false;
    QList<Page> pages;
};

// What the report takes besides the window it prints.
struct ReportSettings {
    double headAreaCm = 2;
    QString title;
    QString subTitle;
    // Formatted date and time; empty when the report carries no date.
    QString date;
    QString chargeCurrentLabel;
    QString dischargeCurrentLabel;
};

// A report window or viewer without a control the report reads.
struct MissingControl : std::runtime_error {
    explicit MissingControl(const QString& name)
        : std::runtime_error("control not found: " + name.toStdString()),
          control(name)
    {
    }
    QString control;
};

// Column positions of the report, from its origin.
inline constexpr double C1 = 2;
inline constexpr double C2 = 40;
inline constexpr double C3 = 95;
inline constexpr double C4 = 120;
// Where a continued page goes on, below the repeated title and sub-title.
inline constexpr double kContinuedTop = 18;
// A diagram below the report gets at least this height, else a page of its own.
inline constexpr double kMinPictureHeight = 40;
// Room the picture leaves between itself and the frame's bottom line.
inline constexpr double kPictureInset = 2;
// What a program without a capacity shows as its capacity, as the windows do.
inline constexpr const char* kNoCapacity = "---";

// The controls the channel report reads by name: of the window it prints,
// and of the filled program viewer.
const QStringList& windowControlNames();
const QStringList& viewerControlNames();

// The channel report: the window's content by control name; the program
// values from the filled viewer (nullptr: none); the remark typed for this
// printout; withPicture: a diagram goes below it. printable: the printable
// area in millimetres. pictureSize: the captured diagram's size, whose
// proportions the picture keeps (empty: the picture fills its room). Raises
// MissingControl.
Document layoutChannelReport(const ControlReader& window, const ControlReader* viewer, const ReportSettings& settings,
                             const QString& remark, bool withPicture, QSizeF printable, QSizeF pictureSize = QSizeF());

// The diagram page: the caption of the window the diagram was opened from as
// its title, the picture below it, as large as the frame allows in the
// proportions of pictureSize (empty: filling the frame). printable is the
// landscape area.
Document layoutDiagramPage(const QString& caption, QSizeF printable, QSizeF pictureSize = QSizeF());

// The largest rectangle of the picture's proportions inside room, at room's
// top-left corner; room itself for an empty picture size.
QRectF fitPicture(const QRectF& room, QSizeF pictureSize);

// Lines of the program block, built from the viewer's controls.
QString batteryTypeText(const ControlReader& viewer);
QString deviceModeText(const ControlReader& viewer);
QString deviceModeLine(const ControlReader& viewer);
QString selfDischargeText(const ControlReader& viewer);

// Rows of a remark: its line breaks (CR LF, CR or LF) kept, empty rows
// included; none for a remark of only blanks.
QStringList remarkRows(const QString& remark);

// Width of a text in the report font, in millimetres.
double textWidth(const QString& text, const Font& font);
// The text broken at blanks (a word wider than the width at characters) into
// rows no wider than width.
QStringList wrapText(const QString& text, const Font& font, double width);

} // namespace ReportLayout
