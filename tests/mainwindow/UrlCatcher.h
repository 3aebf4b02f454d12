#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <QVector>

// Takes the place of the user's browser for file URLs while it lives.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QVector<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};
