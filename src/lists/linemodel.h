#pragma once
// The lines of a search or summary list as a list model: held in
// Windows-1252 (one byte a character), sorted in list order once built.
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
    void setLines(QVector<QByteArray> lines);
    void clear() { setLines({}); }
    const QVector<QByteArray> &lines() const { return m_lines; }
    QString line(int row) const;
    // Every row is as wide as the longest line (at least `minWidth` pixels),
    // so the list scrolls sideways over all of them.
    void setFont(const QFont &font, int minWidth);

private:
    QVector<QByteArray> m_lines;
    QFont m_font;
    int m_minWidth = 0;
    QSize m_rowSize;
    void updateRowSize();
};

} // namespace pratelia::lists
