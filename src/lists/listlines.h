#pragma once
// List lines: the fixed-layout text by which the search and summary-list
// windows show a record and find it again, their order, the criteria rule
// of the search windows and find-in-list.
#include "store/layout.h"
#include "store/record.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace pratelia::lists {

// Whether a Windows-1252 byte is one the field trimming removes (a blank or
// a control character).
bool isTrimmedByte(unsigned char b);
QByteArrayView trimBytes(QByteArrayView bytes);
// The stored text of a field, trimmed, as Windows-1252 bytes (no copy).
QByteArrayView storedBytes(const RecordView &record, int field);

// The text trimmed, then padded with blanks or cut to exactly `width`
// characters.
QString padCut(QStringView text, int width);

// One piece of a list line: a fixed text, or a record field (trimmed)
// padded or cut to `width` (width < 0 keeps the whole field).
struct LinePart {
    const char *literal = nullptr;
    const char *field = nullptr;
    int width = -1;
    const char *secondField = nullptr; // joined to `field` with one blank
};
inline LinePart text(const char *t) { return {t, nullptr, -1, nullptr}; }
inline LinePart field(const char *f, int width = -1) { return {nullptr, f, width, nullptr}; }
// Two fields joined by one blank ("Cognome Nome"), padded or cut as a whole.
inline LinePart fields(const char *f, const char *g, int width = -1) { return {nullptr, f, width, g}; }

// A list line layout resolved against a record layout.
class LineLayout {
public:
    LineLayout() = default;
    LineLayout(const RecordLayout &layout, std::initializer_list<LinePart> parts);
    // The line in Windows-1252, one byte a character.
    QByteArray buildBytes(const RecordView &record) const;
    QString build(const RecordView &record) const;

private:
    struct Piece {
        QByteArray literal;
        int field = -1;
        int second = -1;
        int width = -1;
    };
    QVector<Piece> m_pieces;
};

// Letters A-Z lower-cased; every other character as it is.
QString lowerAZ(QStringView text);
QByteArray lowerAZ(const QByteArray &bytes);

// List order: character by character by Windows-1252 code, a-z counting as
// A-Z, a prefix before the longer line. Lines are held as Windows-1252.
bool lineLess(const QByteArray &a, const QByteArray &b);
void sortLines(QVector<QByteArray> &lines);

// A list line and the number of the record it was built from: a pick loads
// that record, since two records may well give the same line.
struct ListLine {
    QByteArray text; // Windows-1252
    int record = 0;
};
// List order, each number moving with its line. Equal lines come in the
// order of their record numbers (file order), so the same archive always
// lists the same way.
void sortLines(QVector<ListLine> &lines);

// The criteria of a search: the texts typed, each against one record field.
class Criteria {
public:
    Criteria(const RecordLayout &layout, const QStringList &fieldNames, const QStringList &texts);
    // Criteria whose trimmed text is not empty.
    int inUse() const { return m_inUse; }
    // A record is listed when at least inUse() criteria occur, lower-cased
    // and as typed, inside their fields lower-cased.
    bool accepts(const RecordView &record) const;

private:
    struct Test {
        int offset;        // of the field's length byte in the record
        int capacity;
        QByteArray needle; // lower-cased, Windows-1252
        bool possible;     // false when the text has characters no field can hold
    };
    QVector<Test> m_tests;
    int m_inUse = 0;
};

// Find in list. `selected` is the selected row (-1 for none); `previous`
// the text of the previous find. Returns the row to select, or -1 when no
// line holds the text (the selection then stays). Updates `previous`.
int findInList(const QVector<QByteArray> &lines, int selected, const QString &typed,
               QString &previous);

} // namespace pratelia::lists
