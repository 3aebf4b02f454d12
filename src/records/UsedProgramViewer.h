#pragma once

#include "wiring/SeriesWindowServices.h"

// The program viewer as the stored series window shows it: the read-only
// viewer, one for each showing, modal and owned by the series window.
class UsedProgramViewer : public SeriesProgramViewer {
public:
    void showProgram(QWidget* owner, const std::shared_ptr<CommunicationProgram>& program) override;
};
