#pragma once

#include <QWidget>

class QLabel;

// The small notice shown while a diagram loads.
class dlgDiagrammLadeMeldung : public QWidget {
    Q_OBJECT
public:
    explicit dlgDiagrammLadeMeldung(QWidget* parent = nullptr);
    // Shows the notice and draws it at once: the load that follows lets no
    // window events run.
    void showNow();

private:
    QLabel* m_lblMeldung = nullptr;
};
