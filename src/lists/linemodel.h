#pragma once
// The lines of a search or summary list as a list model: held in
// Windows-1252 (one byte a character), sorted in list order once built,
// each row with the number of the record it shows.
#include "listlines.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QFont>
#include <QSize>
#include <QVector>

namespace pratelia::lists {

class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LineListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Replaces the lines (already in list order) in one go.
    void setLines(QVector<ListLine> lines);
    void clear() { setLines({}); }
    const QVector<QByteArray> &lines() const { return m_lines; }
    QString line(int row) const;
    // The number of the record shown by the row; 0 when there is no such row.
    int record(int row) const;
    // Every row is as wide as the longest line (at least `minWidth` pixels),
    // so the list scrolls sideways over all of them.
    void setFont(const QFont &font, int minWidth);

private:
    QVector<QByteArray> m_lines;
    QVector<int> m_records; // m_records[row] is the record of m_lines[row]
    QFont m_font;
    int m_minWidth = 0;
    QSize m_rowSize;
    void updateRowSize();
};

} // namespace pratelia::lists
