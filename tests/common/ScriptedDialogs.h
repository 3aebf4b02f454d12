#pragma once

#include "platform/ModalDialogRunner.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

// Stands in for modal dialogs: every dialog shown modally is handed to the
// next scripted step, which drives it through its handlers; the dialog's
// result is what the step left. A dialog with no step left fails the test.
// Runs the dialogs of the test's services (TestServices) it is given to.
class ScriptedDialogs : public ModalDialogRunner {
public:
    using Step = std::function<void(QDialog&)>;

    void then(Step step) { m_steps.push_back(std::move(step)); }

    int run(QDialog& dialog) override
    {
        shown << dialog.objectName();
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected modal dialog " << dialog.objectName().toStdString();
            return QDialog::Rejected;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        dialog.setResult(-1);
        step(dialog);
        return dialog.result();
    }

    QStringList shown;
    bool allUsed() const { return m_steps.empty(); }

private:
    std::deque<Step> m_steps;
};

// A step for a dialog of a known class.
template <class D>
ScriptedDialogs::Step as(std::function<void(D&)> f)
{
    return [f](QDialog& d) {
        auto* typed = qobject_cast<D*>(&d);
        ASSERT_NE(typed, nullptr) << "unexpected dialog " << d.objectName().toStdString();
        f(*typed);
    };
}
