#pragma once

// Plain stand-ins for the main window and the widgets of a channel window,
// so the channel logic runs without a display.
#include "ControlNameChecks.h"

#include "channels/KanalControls.h"
#include "channels/KanalView.h"
#include "wiring/KanalDiagram.h"
#include "wiring/KanalHost.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <utility>

class FakeHost : public KanalHost {
public:
    bool lost = false;
    bool check = true;
    qint32 nextTempId = 1;
    QMap<QString, QString> panels;
    QMap<int, bool> menuChecked;
    int channelsPresent = 4;

    bool noKZTFound() const override { return lost; }
    void setNoKZTFound(bool l) override { lost = l; }
    bool checkLadegeraet() const override { return check; }
    void setCheckLadegeraet(bool c) override { check = c; }
    qint32 getNewTempMessreiheID() override { return nextTempId++; }
    void setStatusbarPanelText(const QString& key, const QString& text) override { panels[key] = text; }
    void setChannelMenuChecked(int channel, bool checked) override { menuChecked[channel] = checked; }
    bool channelPresent(int channel) const override { return channel <= channelsPresent; }
};

// Knows the window's controls by the window's own list: a name outside it
// fails the running test and reaches nothing, as in the real window.
class FakeView : public KanalView {
public:
    QHash<QString, QString> texts;
    QSet<QString> hidden;
    QHash<QString, int> listClears;
    QHash<QString, quint32> colors;

    // Called when a text changes, as a text box raises its change event.
    std::function<void(const QString& name)> changed;

    void setControlText(const QString& name, const QString& text) override
    {
        if (!isKanalWindowName(name) && !known(name))
            return;
        const bool differs = texts.value(name) != text;
        texts[name] = text;
        if (differs && changed)
            changed(name);
    }
    QString controlText(const QString& name) const override
    {
        if (!isKanalWindowName(name) && !known(name))
            return QString();
        return texts.value(name);
    }
    void setControlVisible(const QString& name, bool visible) override
    {
        if (!known(name))
            return;
        if (visible)
            hidden.remove(name);
        else
            hidden.insert(name);
    }
    bool isControlVisible(const QString& name) const override { return known(name) && !hidden.contains(name); }
    // Lines with their item data, and the selected row, per list box.
    QHash<QString, QVector<std::pair<QString, qint32>>> lists;
    QHash<QString, int> selected;

    void clearList(const QString& name) override
    {
        if (!known(name))
            return;
        ++listClears[name];
        lists.remove(name);
        selected.remove(name);
    }
    void addListItem(const QString& name, const QString& text, qint32 itemData) override
    {
        if (known(name))
            lists[name].push_back({text, itemData});
    }
    QStringList listItems(const QString& name) const override
    {
        QStringList lines;
        if (known(name))
            for (const auto& line : lists.value(name))
                lines << line.first;
        return lines;
    }
    qint32 listItemData(const QString& name, int row) const override
    {
        if (!known(name))
            return 0;
        const auto lines = lists.value(name);
        return row >= 0 && row < lines.size() ? lines[row].second : 0;
    }
    int selectedListRow(const QString& name) const override { return known(name) ? selected.value(name, -1) : -1; }
    void setCaptionColor(const QString& name, quint32 color) override
    {
        if (known(name))
            colors[name] = color;
    }
    quint32 captionColor(const QString& name) const override
    {
        return known(name) ? colors.value(name, 0x80000012u) : 0;
    }

private:
    static bool known(const QString& name) { return expectKnownControl(kanalControlNames(), name); }
};

// The diagram window as the channel sees it: keeps every request; whileLoading
// runs inside the request, as events during a load would.
class DiagramSpy : public KanalDiagram {
public:
    QVector<Request> requests;
    std::function<void()> whileLoading;
    bool showDiagram(const Request& request) override
    {
        requests.push_back(request);
        if (whileLoading)
            whileLoading();
        return true;
    }
};
