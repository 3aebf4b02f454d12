#pragma once

#include "diagrams/velmoroAxisRange.h"

#include <QString>
#include <optional>

class DiagramOptionsView;
class programSettings;

// The range boxes of the diagram options as the user left them.
struct DiagramRangeInput {
    bool xAutomatic = true;
    QString xVon;
    QString xBis;
    bool yAutomatic = true;
    QString yVon;
    QString yBis;
};

// The first failed test of the range boxes: the message to show and the box
// to put the focus in.
struct DiagramRangeFault {
    QString messageId;
    QString focus;
    bool operator==(const DiagramRangeFault&) const = default;
};

// What the diagram options do, without their widgets: the switches of the
// minimum/maximum lines and the grids (kept as settings) and the ranges of
// the two axes, set through the dialog's view by control name. The rules
// for the range boxes are pure functions.
class DiagramOptionsLogic {
public:
    DiagramOptionsLogic(DiagramOptionsView& view, programSettings& settings);

    // Captions and the switches from the settings; both axes manual, their
    // boxes shown, until initializeDialog.
    void Form_Load();
    // Fills the range controls from the diagram's ranges.
    void initializeDialog(const velmoroAxisRange& xAx, const velmoroAxisRange& yAx);
    // The range boxes of an axis show while it is manual.
    void chkXAutomatisch_Click();
    void chkYAutomatisch_Click();
    DiagramRangeInput rangeInput() const;
    // OK: false when a test of the ranges fails (the user has been told and
    // the focus is in the box); otherwise the five switches are saved.
    bool OKButton_Click();

    // --- the rules of the range boxes ----------------------------------------------
    // A range box's number in the user's locale (no grouping); none for a
    // text that is no number.
    static std::optional<double> readNumber(const QString& text);
    // A bound as a range box shows it: up to 15 significant digits, no
    // trailing zeros, the user's decimal separator.
    static QString numberText(double value);
    // The tests of the manual axes in their order; none when every one
    // passes. An automatic axis is not looked at.
    static std::optional<DiagramRangeFault> validateRanges(const DiagramRangeInput& input);
    // The two ranges the input asks for (automatic, or fixed between the two
    // numbers); call only after validateRanges passed.
    static velmoroAxisRange xRange(const DiagramRangeInput& input);
    static velmoroAxisRange yRange(const DiagramRangeInput& input);

private:
    void showRangeBoxes(const char* automatic, const char* const (&boxes)[4]);
    void fillAxis(const velmoroAxisRange& range, const char* automatic, const char* von, const char* bis);

    DiagramOptionsView& m_view;
    programSettings& m_settings;
};
