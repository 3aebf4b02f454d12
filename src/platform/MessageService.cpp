#include "platform/MessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageService* g_service = nullptr;
}

MessageService* MessageService::install(MessageService* service)
{
    MessageService* previous = g_service;
    g_service = service;
    return previous;
}

MessageService::Result QtMessageService::show(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationDisplayName() : title);
    switch (icon) {
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    case NoIcon:
        break;
    }
    switch (buttons) {
    case OkOnly:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Ok;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Retry:
        return Retry;
    default:
        return buttons == YesNo ? No : Cancel;
    }
}

MessageService::Result msgBox(const QString& text, MessageService::Buttons buttons, MessageService::Icon icon,
                              const QString& title)
{
    static QtMessageService plainBoxes;
    return (g_service ? *g_service : plainBoxes).show(text, buttons, icon, title);
}
