#pragma once

#include "printing/ReportLayout.h"

#include <QString>

class CommunicationProgram;
class ControlReader;
class QPixmap;
class QPrinter;
class ProgramViewerSource;
class QWidget;

// Printing of channel reports and diagram pages. One printout at a time, on
// the program's printer, each its own document.
namespace VelmoroPrinting {

// Asks for the remark (unless only the diagram is printed), lets the user
// choose the printer, then prints the report of the window, or the diagram
// page alone. program: the program shown in the report (nullptr: none).
// diagram: the captured diagram (nullptr: none). programViewer: where the
// report reads the program's values (nullptr: it has none). Any failure is
// shown to the user; nothing half-printed is left behind.
void printReport(const ControlReader& reportWindow, const CommunicationProgram* program, const QPixmap* diagram,
                 bool diagramOnly, ProgramViewerSource* programViewer);
// The same for a window whose controls carry the report's names.
void printReport(const QWidget& reportWindow, const CommunicationProgram* program, const QPixmap* diagram,
                 bool diagramOnly, ProgramViewerSource* programViewer);

// The remark dialog's outcome for the report being printed.
void setPrintRemark(const QString& remark, bool confirmed);
QString printRemark();
bool printRemarkConfirmed();

float mmToTwips(qint16 mm);

// A window's picture as it is shown, for printing.
QPixmap captureForm(QWidget& window);

// The report's settings as they stand now (title, sub-title, date, labels;
// the header height as given).
ReportLayout::ReportSettings currentSettings(double headAreaCm);

// Prints a laid-out document as one document on the printer, in the
// document's orientation, restoring the printer's afterwards. Returns an
// empty text, or what the user is told went wrong (the printout is then
// aborted; a file not written whole is removed).
QString printDocument(QPrinter& printer, const ReportLayout::Document& document, const QPixmap* picture);

} // namespace VelmoroPrinting
