#include "platform/DeferredMessages.h"

#include <QCoreApplication>
#include <QSet>
#include <QTimer>
#include <deque>

namespace DeferredMessages {
namespace {

struct Box {
    QString key;
    QString text;
    MessageService::Buttons buttons;
    MessageService::Icon icon;
    QString title;
};

struct Queue {
    std::deque<Box> waiting;
    // Keys of the boxes that wait or are open.
    QSet<QString> active;
    int holds = 0;
    bool showing = false;
    bool scheduled = false;
};

Queue& queue()
{
    static Queue q;
    return q;
}

void schedule()
{
    Queue& q = queue();
    if (q.scheduled || q.waiting.empty() || !QCoreApplication::instance())
        return;
    q.scheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        queue().scheduled = false;
        flush();
    });
}

} // namespace

bool post(const QString& key, const QString& text, MessageService::Buttons buttons, MessageService::Icon icon,
          const QString& title)
{
    Queue& q = queue();
    if (q.active.contains(key))
        return false;
    q.active.insert(key);
    q.waiting.push_back({key, text, buttons, icon, title});
    if (q.holds == 0)
        schedule();
    return true;
}

void flush()
{
    Queue& q = queue();
    if (q.showing)
        return;
    while (!q.waiting.empty() && q.holds == 0) {
        Box box = std::move(q.waiting.front());
        q.waiting.pop_front();
        struct Showing {
            Queue& q;
            const QString& key;
            ~Showing()
            {
                q.showing = false;
                q.active.remove(key);
            }
        } showing{q, box.key};
        q.showing = true;
        msgBox(box.text, box.buttons, box.icon, box.title);
    }
}

int pendingCount()
{
    return int(queue().waiting.size());
}

bool isActive(const QString& key)
{
    return queue().active.contains(key);
}

void discard()
{
    Queue& q = queue();
    for (const Box& box : q.waiting)
        q.active.remove(box.key);
    q.waiting.clear();
}

Hold::Hold()
{
    ++queue().holds;
}

Hold::~Hold()
{
    if (--queue().holds == 0)
        schedule();
}

} // namespace DeferredMessages
