#pragma once
// The report engine: a printed page is described once as a template (bands
// holding named text fields, lines and pictures), the program writes the
// texts of the named fields, and the engine lays the pages out and sends
// them to the default printer through the platform's printing.
//
// Positions and sizes are in report units: 96 to the inch (37.8 to the
// centimetre), measured from the top left corner of the printable area, that
// is inside the 10 mm margins of an A4 page.
//
// Typical use:
//     report::Report r(report::listTemplate());
//     r.setText("txtTitolo", "Riepilogo clienti in archivio");
//     r.setText("txtRiepilogo", lines.join('\n'));
//     r.print(window);            // tells the user itself when it fails
#include <QColor>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <stdexcept>

class QPagedPaintDevice;
class QWidget;

namespace pratelia::report {

inline constexpr double kUnitsPerInch = 96.0;
inline constexpr double kUnitsPerMm = kUnitsPerInch / 25.4;

using Orientation = QPageLayout::Orientation; // Portrait or Landscape

// Asking for a field the template does not have is a programming error.
class UnknownField : public std::logic_error {
public:
    explicit UnknownField(const QString &report, const QString &field);
};

struct TextStyle {
    QStringList families{QStringLiteral("Arial")}; // first one present wins
    double pointSize = 10;
    bool bold = false;
    bool fixedPitch = false;
    QColor color = Qt::black;
    QColor background;      // invalid: no fill
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;  // without it, a line too long for the field ends in "…"
    double padding = 3;     // units between the frame and the text, left and right
    QColor stripe;          // growing fields: fill behind every second line
};

enum class ItemKind { Text, Line, Picture };

struct Item {
    ItemKind kind = ItemKind::Text;
    QString name;
    // Relative to the band's top left corner. A line is drawn along the top
    // edge of its rectangle (a horizontal rule `width` units long).
    QRectF rect;
    // The rectangle's right edge follows the band's right edge, so that the
    // same template serves portrait and landscape pages.
    bool toRightEdge = false;
    QString text;     // the template's own text; setText replaces it
    TextStyle style;
    // The text's "[DATE]" (date of printing), "[PAGE]" and "[PAGES]" are
    // replaced when the pages are laid out. Other fields show their text
    // literally, brackets included.
    bool expands = false;
    // A multi-line text, one line per '\n', whose height follows its number
    // of lines (each `lineHeight` units tall); its band grows with it and
    // splits across pages between two lines.
    bool grows = false;
    double lineHeight = 12.822;
    QImage picture;   // for pictures: scaled into the rectangle, aspect kept
    QColor lineColor = Qt::darkGray;
    double lineWidth = 1; // units
};

enum class BandKind {
    PageHeader, // at the top of every page
    Body,       // one after the other, below the page header
    PageFooter, // at the bottom of every page
};

struct Band {
    QString name;
    BandKind kind = BandKind::Body;
    double height = 0; // units; a growing band adds its lines to it
    QList<Item> items;
};

struct Template {
    QString name; // the report's name: the print job's name
    Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10};
    QList<Band> bands;
};

// One item placed on a prepared page, in units from the printable area's
// top left corner, with its final text.
struct PlacedItem {
    const Item *item = nullptr;
    QRectF rect;
    QString text;
    qsizetype firstLine = 0; // of a growing field's piece: its first line's index
};
using Page = QList<PlacedItem>;

class Report {
public:
    explicit Report(Template t);

    QString name() const { return m_template.name; }
    bool hasField(const QString &field) const;
    // Throws UnknownField when the template has no text field of that name.
    void setText(const QString &field, const QString &text);
    QString text(const QString &field) const;
    void setOrientation(Orientation o) { m_template.orientation = o; }
    Orientation orientation() const { return m_template.orientation; }

    // The printable area of the page in units, for the current orientation.
    QSizeF printableSize() const;
    // Lays the pages out (the date of printing comes from the platform's
    // clock); returns them. `print` does it itself.
    QList<Page> prepare() const;
    // Paints prepared pages on a device already set to A4 and the margins
    // (pages shrink to fit a device whose printable area is smaller). The
    // pages point into this report: they hold while it is not changed.
    static bool render(const QList<Page> &pages, QPagedPaintDevice &device);

    // Prepares and prints on the default printer. On failure the user is
    // told with a message (over `parent`) and false is returned.
    bool print(QWidget *parent = nullptr) const;

private:
    Item *find(const QString &field);
    const Item *find(const QString &field) const;
    Template m_template;
};

// The message shown when a print fails.
QString printFailedText();

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss", from the
// platform's clock: the footer of every printed card.
QString printedOnText();

// --- Templates shared by the program's prints --------------------------

// The list print of the search and summary windows: A4 landscape. Fields:
// "txtTitolo" (the title, repeated at the top of every page),
// "txtRiepilogo" (the list lines joined by '\n', in a fixed-width font,
// split across pages between lines), "txtCalce" (footer on every page:
// "Stampa eseguita in data [DATE]") and "txtPagina" (page n of m).
Template listTemplate();

// Prints list lines under a title with the list template; false (after
// telling the user) when the print failed.
bool printList(const QString &title, const QStringList &lines, QWidget *parent = nullptr);

// A card print: one A4 portrait page with a logo, the title "txtTitolo",
// one row per entry (caption field on the left, value field on the right;
// up to 24 rows) and the footer "txtCalce". A row without a caption field
// name gets "tit" + the value field's name without its prefix ("titID").
struct CardRow {
    QString captionField; // e.g. "titCampo01"
    QString caption;      // the caption the template prints
    QString valueField;   // e.g. "txtCampo01" or "txtID"
};
Template cardTemplate(const QString &reportName, const QString &title, const QList<CardRow> &rows);

} // namespace pratelia::report
