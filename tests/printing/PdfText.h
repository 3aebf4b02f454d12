#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

// A printed PDF read back with pdftotext -bbox: every word with its box, in
// millimetres from the top-left corner of its page.
struct PdfWord {
    int page;
    QString text;
    double left, top, right, bottom;
};

struct PdfText {
    QList<QSizeF> pages;
    QList<PdfWord> words;

    static PdfText read(const QString& pdf)
    {
        PdfText result;
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        const QString html = QString::fromUtf8(p.readAllStandardOutput());
        constexpr double mm = 25.4 / 72.0;
        static const QRegularExpression pageRe(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
        static const QRegularExpression wordRe(QStringLiteral(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        int page = -1;
        qsizetype pos = 0;
        while (true) {
            const auto pm = pageRe.match(html, pos);
            const auto wm = wordRe.match(html, pos);
            if (!pm.hasMatch() && !wm.hasMatch())
                break;
            if (pm.hasMatch() && (!wm.hasMatch() || pm.capturedStart() < wm.capturedStart())) {
                ++page;
                result.pages << QSizeF(pm.captured(1).toDouble() * mm, pm.captured(2).toDouble() * mm);
                pos = pm.capturedEnd();
            } else {
                result.words << PdfWord{page,
                                        wm.captured(5),
                                        wm.captured(1).toDouble() * mm,
                                        wm.captured(2).toDouble() * mm,
                                        wm.captured(3).toDouble() * mm,
                                        wm.captured(4).toDouble() * mm};
                pos = wm.capturedEnd();
            }
        }
        return result;
    }

    QList<PdfWord> find(const QString& text) const
    {
        QList<PdfWord> found;
        for (const PdfWord& w : words)
            if (w.text == text)
                found << w;
        return found;
    }
};
