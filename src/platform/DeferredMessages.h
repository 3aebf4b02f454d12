#pragma once

#include "platform/MessageService.h"

#include <QString>

// Message boxes raised while the program talks to the charger are shown after
// that work has ended. A modal box runs an event loop of its own until the
// user presses OK; opened inside a poll it would hold that poll, and every
// later poll of its window, until then. Queued here, the box opens from the
// event loop, and the polls go on while it is open.
//
// Boxes are shown one at a time, first posted first shown. Each carries a key
// (its kind and channel, such as "Kanal2/0890"): while a box of that key waits
// or is open, a further one is dropped.
namespace DeferredMessages {

// Queues a box; false when one of this key waits or is open already.
bool post(const QString& key, const QString& text, MessageService::Buttons buttons = MessageService::OkOnly,
          MessageService::Icon icon = MessageService::NoIcon, const QString& title = QString());

// Shows the waiting boxes, one after another. Does nothing while a Hold lives
// or while a box of this queue is open (the next one follows when it closes).
// The event loop calls it soon after a post; tests call it directly.
void flush();

// Boxes that wait, and whether a box of this key waits or is open.
int pendingCount();
bool isActive(const QString& key);

// Forgets the waiting boxes (a test begins and ends with none).
void discard();

// A stretch in which no box may open: a poll tick, a window's start.
class Hold {
public:
    Hold();
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
};

} // namespace DeferredMessages
