#pragma once

// The program editor's controls as plain data, so its logic runs without a
// display. It knows the dialog's control names: a misspelt name in the logic
// fails a test instead of doing nothing.
#include "ControlNameChecks.h"

#include "programs/ProgramControlNames.h"
#include "programs/ProgramEditorView.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

class FakeEditorView : public ProgramEditorView {
public:
    FakeEditorView()
    {
        for (const char* n : {"cboZellenzahl", "cboNennSpannung", "cboLadeStromC", "cboEntladeStromC"})
            lists[QString::fromLatin1(n)];
        for (const char* n : {"cboAkkuProgram", "cboAkkuType", "cboGeraeteModi", "cboModeZyklus"})
            bound[QString::fromLatin1(n)];
        // As designed: the period of the self-discharge test in days.
        texts[QStringLiteral("txtKapazitaetProzent")] = QStringLiteral("80");
        texts[QStringLiteral("txtSelbstentladungsZeitraum")] = QStringLiteral("1");
        checked.insert(QStringLiteral("optSelbstentladungTage"));
    }

    void known(const QString& name) const { expectKnownControl(programEditorControlNames(), name); }

    void setControlText(const QString& name, const QString& text) override
    {
        known(name);
        if (lists.contains(name)) {
            const int i = lists[name].indexOf(text);
            if (i >= 0)
                index[name] = i;
            return;
        }
        texts[name] = text;
    }
    QString controlText(const QString& name) const override
    {
        known(name);
        if (lists.contains(name)) {
            const int i = listIndex(name);
            return i >= 0 ? lists[name].at(i) : QString();
        }
        if (bound.contains(name)) {
            for (const ListEntry& e : bound[name])
                if (e.value == boundValue.value(name))
                    return e.text;
            return QString();
        }
        return texts.value(name);
    }
    void setControlVisible(const QString& name, bool visible) override
    {
        known(name);
        if (visible)
            hidden.remove(name);
        else
            hidden.insert(name);
    }
    bool isControlVisible(const QString& name) const override { return known(name), !hidden.contains(name); }
    void setControlEnabled(const QString& name, bool enabled) override
    {
        known(name);
        if (enabled)
            disabled.remove(name);
        else
            disabled.insert(name);
    }
    bool isControlEnabled(const QString& name) const override { return known(name), !disabled.contains(name); }
    void setChecked(const QString& name, bool on) override
    {
        known(name);
        if (!on) {
            checked.remove(name);
            return;
        }
        static const QStringList groups[] = {{"optAkkuTyp", "optVorgSpannung"},
                                             {"optSelbstentladungStunden", "optSelbstentladungTage"}};
        for (const QStringList& g : groups)
            if (g.contains(name))
                for (const QString& other : g)
                    checked.remove(other);
        checked.insert(name);
    }
    bool isChecked(const QString& name) const override { return known(name), checked.contains(name); }
    void clearList(const QString& name) override
    {
        known(name);
        lists[name].clear();
        index[name] = -1;
    }
    void addListItem(const QString& name, const QString& text) override
    {
        known(name);
        lists[name] << text;
    }
    QStringList listItems(const QString& name) const override { return known(name), lists.value(name); }
    int listIndex(const QString& name) const override { return known(name), index.value(name, -1); }
    void setListIndex(const QString& name, int i) override
    {
        known(name);
        index[name] = i;
    }
    void setBoundEntries(const QString& name, const QVector<ListEntry>& entries) override
    {
        known(name);
        bound[name] = entries;
        boundValue.remove(name);
    }
    QString boundText(const QString& name) const override { return known(name), boundValue.value(name); }
    void setBoundText(const QString& name, const QString& value) override
    {
        known(name);
        boundValue.remove(name);
        for (const ListEntry& e : bound[name])
            if (e.value == value)
                boundValue[name] = value;
    }
    void setFocusTo(const QString& name) override
    {
        known(name);
        focus = name;
    }

    // The user's own edits.
    void type(const QString& name, const QString& text) { texts[name] = text; }
    void choose(const QString& list, const QString& text) { setControlText(list, text); }

    QHash<QString, QString> texts;
    QSet<QString> hidden;
    QSet<QString> disabled;
    QSet<QString> checked;
    QHash<QString, QStringList> lists;
    QHash<QString, int> index;
    QHash<QString, QVector<ListEntry>> bound;
    QHash<QString, QString> boundValue;
    QString focus;
};
