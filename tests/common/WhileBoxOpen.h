#pragma once

// Runs something while a message box is "open", as the channels' polling
// does meanwhile; then the box goes on to the message service below, which
// answers it (the test's scripted messages). Shows its boxes in place of
// those of the services it is given, while it lives.
#include "TestServices.h"
#include "platform/MessageService.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

class WhileBoxOpen : public MessageService {
public:
    explicit WhileBoxOpen(const ProgramServices& services)
        : m_previous(&services.messages()),
          m_services(services, {.messages = this})
    {
    }
    WhileBoxOpen(const WhileBoxOpen&) = delete;
    WhileBoxOpen& operator=(const WhileBoxOpen&) = delete;

    // Once, while the next box with this text is open.
    void on(const QString& text, std::function<void()> meanwhile) { m_actions[text] = std::move(meanwhile); }
    // Once, while the next box is open, whatever it says.
    std::function<void()> whileOpen;
    // The text of every box shown, in order.
    QStringList texts;

    Result show(const QString& text, Buttons buttons, Icon icon, const QString& title) override
    {
        texts << text;
        if (auto action = m_actions.take(text))
            action();
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
        return m_previous->show(text, buttons, icon, title);
    }

private:
    MessageService* m_previous;
    TestServices m_services;
    QMap<QString, std::function<void()>> m_actions;
};
