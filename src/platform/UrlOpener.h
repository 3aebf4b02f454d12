#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <unordered_map>

class QProcess;
class QUrl;

// Hands a page to the program the desktop shows such pages with, and says
// when the desktop could not show it.
//
// On Linux that is a command (xdg-open) which ends at once with its verdict:
// 0 when it handed the page on, another code when nothing could show it (no
// browser, no desktop). In some of its ways it runs the browser itself and
// ends only with it; so its end is awaited without blocking, and an opener
// still running after a short while counts as having shown the page. An
// opener is never stopped, not even when the program ends: the browser it
// may have become is the user's. Elsewhere Qt's desktop services show the
// page and answer at once.
class UrlOpener : public QObject {
    Q_OBJECT
public:
    // What this system opens pages with: the program and its first
    // arguments (the page is added as the last); empty where Qt's desktop
    // services do it.
    static QStringList systemCommand();
    // How long an opener's verdict is awaited.
    static constexpr int kVerdictMs = 10000;

    explicit UrlOpener(QStringList command = systemCommand(), int verdictMs = kVerdictMs);
    ~UrlOpener() override;
    UrlOpener(const UrlOpener&) = delete;
    UrlOpener& operator=(const UrlOpener&) = delete;

    // Hands url to the opener. failed runs later, on this thread and under
    // the error guard, when the opener could not be started or ended with a
    // failure while its verdict was awaited (at once with Qt's services).
    void open(const QUrl& url, std::function<void()> failed);

    // The openers whose verdict is still awaited.
    int pending() const { return int(m_waiting.size()); }
    // Awaits no verdict any longer: the openers still running count as having
    // shown their pages (what the end of the verdict time does).
    void stopWaiting();

Q_SIGNALS:
    // An opener's verdict came, or is no longer awaited.
    void settled();

private:
    void settle(QProcess* process, bool failed);

    QStringList m_command;
    int m_verdictMs;
    std::unordered_map<QProcess*, std::function<void()>> m_waiting;
};
