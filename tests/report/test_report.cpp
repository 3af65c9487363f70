// The report engine: lists that split across pages, page orientation,
// named fields, and what the user sees when a print cannot be made.
#include "pdftext.h"
#include "support/tempfolder.h"

#include "platform/testing.h"
#include "report/report.h"
#include "store/values.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPdfWriter>
#include <QWidget>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::testing;

namespace {

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("%1 Cliente di prova         C.F. RSSMRA80A01H501U  Ditta: Prova srl").arg(i, 3, 10, QLatin1Char('0'));
    return lines;
}

// The lines of a printed list page that come from the body.
QStringList bodyLines(const QString &page)
{
    QStringList out;
    static const QRegularExpression body(QStringLiteral(R"(^\d{3} Cliente)"));
    for (const QString &line : textLines(page))
        if (body.match(line.trimmed()).hasMatch())
            out << line.trimmed();
    return out;
}

report::Report listReport(const QString &title, const QStringList &lines, report::Orientation o)
{
    report::Template t = report::listTemplate();
    t.name = title;
    report::Report r(std::move(t));
    r.setOrientation(o);
    r.setText(QStringLiteral("txtTitolo"), title);
    r.setText(QStringLiteral("txtRiepilogo"), lines.join(QLatin1Char('\n')));
    return r;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listKeepsEveryLineOnNumberedPages_data();
    void listKeepsEveryLineOnNumberedPages();
    void emptyListPrintsTitleAndFooterOnly();
    void onlyTemplateFieldsExpand();
    void longLineEndsInEllipsis();
    void lineBreaksInsideValues();
    void layoutStaysInsideThePrintableArea_data();
    void layoutStaysInsideThePrintableArea();
    void widerDeviceMarginsShrinkThePage();
    void unknownNamesAreErrors();
    void failingPrintTellsTheUser();
    void withoutPrinterThePdfGoesToTheProgramFolder_data();
    void withoutPrinterThePdfGoesToTheProgramFolder();
};

void TestReport::listKeepsEveryLineOnNumberedPages_data()
{
    QTest::addColumn<report::Orientation>("orientation");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QSizeF>("pagePoints");
    const QSizeF landscape(841.89, 595.28), portrait(595.28, 841.89);
    QTest::newRow("one line, landscape") << report::Orientation::Landscape << 1 << landscape;
    QTest::newRow("150 lines, landscape") << report::Orientation::Landscape << 150 << landscape;
    QTest::newRow("150 lines, portrait") << report::Orientation::Portrait << 150 << portrait;
    QTest::newRow("400 lines, landscape") << report::Orientation::Landscape << 400 << landscape;
}

void TestReport::listKeepsEveryLineOnNumberedPages()
{
    QFETCH(report::Orientation, orientation);
    QFETCH(int, lines);
    QFETCH(QSizeF, pagePoints);
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    const QStringList list = numberedLines(lines);
    QVERIFY(listReport(QStringLiteral("Riepilogo clienti in archivio"), list, orientation).print());
    QVERIFY(p.dialogs.shown.isEmpty());
    QCOMPARE(p.printing.orientations, QList<report::Orientation>{orientation});

    const QString pdf = p.printing.files.value(0);
    const QSizeF size = pdfPageSize(pdf);
    QVERIFY2(qAbs(size.width() - pagePoints.width()) < 1 && qAbs(size.height() - pagePoints.height()) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));

    const QStringList pages = pdfPages(pdf);
    if (lines > 100)
        QVERIFY(pages.size() > 1);
    QStringList printed;
    for (int i = 0; i < pages.size(); ++i) {
        const QStringList text = textLines(pages[i], true);
        QVERIFY2(!text.isEmpty() && text.first() == QStringLiteral("Riepilogo clienti in archivio"),
                 qPrintable(pages[i]));
        QCOMPARE(text.last(), QStringLiteral("Stampa eseguita in data 10/05/2024 Pagina %1 di %2")
                                  .arg(i + 1)
                                  .arg(pages.size()));
        const QStringList body = bodyLines(pages[i]);
        QVERIFY2(!body.isEmpty(), qPrintable(pages[i]));
        printed += body;
    }
    QStringList expected;
    for (const QString &line : list)
        expected << line.simplified();
    for (QString &line : printed)
        line = line.simplified();
    QCOMPARE(printed, expected);
    if (orientation == report::Orientation::Portrait) {
        // The same list in landscape needs more pages: the taller page holds more lines.
        QTemporaryDir other;
        p.printing.outputFolder = other.path();
        QVERIFY(listReport(QStringLiteral("Altro"), list, report::Orientation::Landscape).print());
        QVERIFY(pdfPages(p.printing.files.last()).size() > pages.size());
    }
}

void TestReport::emptyListPrintsTitleAndFooterOnly()
{
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    QVERIFY(report::printList(QStringLiteral("Registro servizi"), {}));
    QCOMPARE(p.printing.jobs, QStringList{QStringLiteral("Registro servizi")});
    const QStringList pages = pdfPages(p.printing.files.value(0));
    QCOMPARE(pages.size(), 1);
    QCOMPARE(textLines(pages[0], true),
             (QStringList{QStringLiteral("Registro servizi"),
                          QStringLiteral("Stampa eseguita in data 10/05/2024 Pagina 1 di 1")}));
}

void TestReport::onlyTemplateFieldsExpand()
{
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    p.clock.setToday(QDate(2024, 3, 5));
    QVERIFY(report::printList(QStringLiteral("Titolo [DATE]"),
                              {QStringLiteral("Nota: [DATE] e [PAGE] di [PAGES]")}));
    const QStringList text = textLines(pdfPages(p.printing.files.value(0)).value(0), true);
    QCOMPARE(text, (QStringList{QStringLiteral("Titolo [DATE]"), QStringLiteral("Nota: [DATE] e [PAGE] di [PAGES]"),
                                QStringLiteral("Stampa eseguita in data 05/03/2024 Pagina 1 di 1")}));
}

void TestReport::longLineEndsInEllipsis()
{
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    const QString longLine = QStringLiteral("Inizio ") + QString(300, QLatin1Char('x')) + QStringLiteral(" FINE");
    QVERIFY(report::printList(QStringLiteral("Riepilogo"), {longLine, QStringLiteral("Seconda riga")}));
    const QStringList text = textLines(pdfPages(p.printing.files.value(0)).value(0), true);
    QCOMPARE(text.size(), 4); // title, the two lines, footer: no wrapped rest
    QVERIFY(text[1].startsWith(QStringLiteral("Inizio xxxx")));
    QVERIFY2(text[1].endsWith(QChar(0x2026)), qPrintable(text[1]));
    QVERIFY(!text[1].contains(QStringLiteral("FINE")));
    QCOMPARE(text[2], QStringLiteral("Seconda riga"));
}

void TestReport::lineBreaksInsideValues()
{
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    // In a list, a line break inside a line starts a new printed line.
    QVERIFY(report::printList(QStringLiteral("Elenco"), {QStringLiteral("Prima\r\nparte"), QStringLiteral("Seconda\r")}));
    QCOMPARE(textLines(pdfPages(p.printing.files.value(0)).value(0), true),
             (QStringList{QStringLiteral("Elenco"), QStringLiteral("Prima"), QStringLiteral("parte"),
                          QStringLiteral("Seconda"), QStringLiteral("Stampa eseguita in data 10/05/2024 Pagina 1 di 1")}));
    // In a one-line field it becomes a blank.
    report::Report card(report::cardTemplate(QStringLiteral("Scheda"), QStringLiteral("SCHEDA"),
                                             {{QStringLiteral("titNote"), QStringLiteral("Note:"), QStringLiteral("txtNote")}}));
    card.setText(QStringLiteral("txtNote"), QStringLiteral("riga uno\r\nriga due\nriga tre"));
    QVERIFY(card.print());
    QCOMPARE(textLines(pdfPages(p.printing.files.value(1)).value(0), true),
             (QStringList{QStringLiteral("SCHEDA"), QStringLiteral("Note: riga uno riga due riga tre")}));
}

void TestReport::layoutStaysInsideThePrintableArea_data()
{
    QTest::addColumn<int>("kind"); // 0 list, 1 card
    QTest::addColumn<report::Orientation>("orientation");
    QTest::addColumn<int>("lines");
    QTest::newRow("list landscape") << 0 << report::Orientation::Landscape << 333;
    QTest::newRow("list portrait") << 0 << report::Orientation::Portrait << 333;
    QTest::newRow("list exactly filling pages") << 0 << report::Orientation::Landscape << 49;
    QTest::newRow("card of 24 rows") << 1 << report::Orientation::Portrait << 24;
}

void TestReport::layoutStaysInsideThePrintableArea()
{
    QFETCH(int, kind);
    QFETCH(report::Orientation, orientation);
    QFETCH(int, lines);
    TestPlatform p;
    QList<report::CardRow> rows;
    for (int k = 1; k <= lines; ++k)
        rows.append({QStringLiteral("tit%1").arg(k), QStringLiteral("Voce %1:").arg(k), QStringLiteral("txt%1").arg(k)});
    report::Report r = kind == 0 ? listReport(QStringLiteral("Elenco"), numberedLines(lines), orientation)
                                 : report::Report(report::cardTemplate(QStringLiteral("Scheda"), QStringLiteral("SCHEDA"), rows));
    r.setOrientation(orientation);
    const QRectF area(QPointF(0, 0), r.printableSize());
    const QList<report::Page> pages = r.prepare();
    if (kind == 1)
        QCOMPARE(pages.size(), 1);
    int bodyLinesPlaced = 0;
    for (const report::Page &page : pages) {
        for (const report::PlacedItem &a : page) {
            const bool inside = a.rect.left() >= -0.01 && a.rect.top() >= -0.01
                && a.rect.right() <= area.right() + 0.01 && a.rect.bottom() <= area.bottom() + 0.01;
            QVERIFY2(inside,
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 outside %6x%7")
                                    .arg(a.item->name)
                                    .arg(a.rect.x()).arg(a.rect.y()).arg(a.rect.width()).arg(a.rect.height())
                                    .arg(area.width()).arg(area.height())));
            if (a.item->grows)
                bodyLinesPlaced += static_cast<int>(a.text.split(QLatin1Char('\n')).size());
            for (const report::PlacedItem &b : page) {
                if (&a == &b || a.item->kind != report::ItemKind::Text || b.item->kind != report::ItemKind::Text
                    || a.rect == b.rect)
                    continue;
                const QRectF overlap = a.rect.intersected(b.rect);
                QVERIFY2(overlap.width() < 0.01 || overlap.height() < 0.01,
                         qPrintable(a.item->name + QStringLiteral(" overlaps ") + b.item->name));
            }
        }
    }
    if (kind == 0)
        QCOMPARE(bodyLinesPlaced, lines);
}

void TestReport::widerDeviceMarginsShrinkThePage()
{
    // A printer that keeps 35 mm margins gets the whole page, smaller.
    TestPlatform p;
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("margini.pdf"));
    const report::Report r = listReport(QStringLiteral("Titolo"), numberedLines(60), report::Orientation::Landscape);
    {
        QPdfWriter pdf(path);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(35, 35, 35, 35),
                                      QPageLayout::Millimeter));
        QVERIFY(report::Report::render(r.prepare(), pdf));
    }
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    const double margin = 35 * 72 / 25.4, width = 841.89, height = 595.28;
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    int words = 0;
    bool footer = false;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        ++words;
        footer = footer || m.captured(5) == QLatin1String("Pagina");
        QVERIFY2(m.captured(1).toDouble() >= margin - 1 && m.captured(3).toDouble() <= width - margin + 1
                     && m.captured(2).toDouble() >= margin - 1 && m.captured(4).toDouble() <= height - margin + 1,
                 qPrintable(m.captured(0)));
    }
    QVERIFY(words > 60);
    QVERIFY(footer);
}

void TestReport::unknownNamesAreErrors()
{
    report::Report list(report::listTemplate());
    QVERIFY(list.hasField(QStringLiteral("txtRiepilogo")));
    QVERIFY(!list.hasField(QStringLiteral("linCalce"))); // a line is not a text field
    QVERIFY_THROWS_EXCEPTION(report::UnknownField, list.setText(QStringLiteral("txtRiepiloghi"), QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(report::UnknownField, list.setText(QStringLiteral("linCalce"), QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(report::UnknownField, list.text(QStringLiteral("txtCampo01")));

    report::Report card(report::cardTemplate(QStringLiteral("Scheda Tariffa"), QStringLiteral("SCHEDA TARIFFA SERVIZIO"),
                                             {{{}, QStringLiteral("Codice ID servizio:"), QStringLiteral("txtID")}}));
    card.setText(QStringLiteral("txtID"), QStringLiteral("S01"));
    QCOMPARE(card.text(QStringLiteral("titID")), QStringLiteral("Codice ID servizio:"));
    QVERIFY_THROWS_EXCEPTION(report::UnknownField, card.setText(QStringLiteral("txtTipologia"), QStringLiteral("x")));

}

void TestReport::failingPrintTellsTheUser()
{
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = QDir(out.path()).filePath(QStringLiteral("manca/ancora"));
    QVERIFY(!report::printList(QStringLiteral("Riepilogo clienti in archivio"), numberedLines(3)));
    QCOMPARE(p.dialogs.shown.size(), 1);
    QCOMPARE(p.dialogs.shown[0].kind, MessageKind::Warning);
    QCOMPARE(p.dialogs.shown[0].text, report::printFailedText());
    QVERIFY(p.dialogs.shown[0].text.startsWith(QStringLiteral("Attenzione:")));
}

void TestReport::withoutPrinterThePdfGoesToTheProgramFolder_data()
{
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<bool>("shellOpens");
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("file");
    QTest::newRow("opened by the shell") << true << true << QStringLiteral("Riepilogo clienti in archivio")
                                         << QStringLiteral("Riepilogo clienti in archivio.pdf");
    QTest::newRow("name with slash and colon")
        << true << true << QStringLiteral("SCHEDA SCADENZA / APPUNTAMENTO: 1") << QStringLiteral("SCHEDA SCADENZA - APPUNTAMENTO- 1.pdf");
    QTest::newRow("shell cannot open it") << true << false << QStringLiteral("Registro servizi")
                                          << QStringLiteral("Registro servizi.pdf");
    QTest::newRow("program folder missing") << false << true << QStringLiteral("Registro servizi") << QString();
}

void TestReport::withoutPrinterThePdfGoesToTheProgramFolder()
{
    QFETCH(bool, folderExists);
    QFETCH(bool, shellOpens);
    QFETCH(QString, job);
    QFETCH(QString, file);
    TempProgramFolder home;
    if (!folderExists)
        qputenv("PRATELIA_HOME", QFile::encodeName(home.file(QStringLiteral("sparita"))));
    TestPlatform p;
    platform::install(&platform::pdfPrinting());
    p.shell.result = shellOpens;
    report::Template t = report::listTemplate();
    t.name = job;
    report::Report r(std::move(t));
    r.setText(QStringLiteral("txtTitolo"), QStringLiteral("Prova"));
    r.setText(QStringLiteral("txtRiepilogo"), numberedLines(2).join(QLatin1Char('\n')));
    const bool ok = r.print();
    QCOMPARE(ok, folderExists);
    if (!folderExists) {
        QVERIFY(p.shell.opened.isEmpty());
        QCOMPARE(p.dialogs.shown.size(), 1);
        QCOMPARE(p.dialogs.shown[0].text, report::printFailedText());
        return;
    }
    const QString path = home.file(file);
    QVERIFY2(QFile::exists(path), qPrintable(QDir(home.path()).entryList().join(QLatin1Char(','))));
    QCOMPARE(bodyLines(pdfPages(path).value(0)).size(), 2);
    QCOMPARE(p.shell.opened, QList<QUrl>{QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())});
    if (shellOpens) {
        QVERIFY(p.dialogs.shown.isEmpty());
    } else {
        QCOMPARE(p.dialogs.shown.size(), 1);
        QCOMPARE(p.dialogs.shown[0].kind, MessageKind::Information);
        QVERIFY(p.dialogs.shown[0].text.endsWith(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    }
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
