#pragma once
// Reading printed PDFs back: their text as poppler's tools extract it.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtTest>

namespace pratelia::testing {

inline QString runTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning() << tool << args << p.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of one page (0: every page) laid out as on paper, one string
// per page, with the form feed between pages removed.
inline QStringList pdfPages(const QString &pdf)
{
    QStringList pages = runTool(QStringLiteral("pdftotext"),
                                {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                 QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The non-empty lines of the text, each with its runs of blanks reduced to
// one where `simplify` is set.
inline QStringList textLines(const QString &text, bool simplify = false)
{
    QStringList out;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString l = simplify ? line.simplified() : line;
        if (!l.trimmed().isEmpty())
            out << l;
    }
    return out;
}

// "Page size: W x H pts" of the first page.
inline QSizeF pdfPageSize(const QString &pdf)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

} // namespace pratelia::testing
