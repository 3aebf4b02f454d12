#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through here, so tests can replace
// the service, script the answers and read what was shown.
class MessageService {
public:
    enum Buttons { OkOnly, OkCancel, YesNo, YesNoCancel, RetryCancel };
    enum Icon { NoIcon, Information, Exclamation, Critical, Question };
    enum Result { Ok, Cancel, Yes, No, Retry };

    virtual ~MessageService() = default;
    virtual Result show(const QString& text, Buttons buttons, Icon icon, const QString& title) = 0;

private:
    // The program's services root hands its service over while it lives, and
    // the previous one back at its end; only it may. Without one msgBox shows
    // the plain QMessageBox.
    friend class ProgramServices;
    static MessageService* install(MessageService* service);
};

// The default service: modal QMessageBox owned by the active window.
class QtMessageService : public MessageService {
public:
    Result show(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
};

// Shorthand used all over the program.
MessageService::Result msgBox(const QString& text, MessageService::Buttons buttons = MessageService::OkOnly,
                              MessageService::Icon icon = MessageService::NoIcon, const QString& title = QString());
