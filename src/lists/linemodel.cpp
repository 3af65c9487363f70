#include "linemodel.h"

#include "store/codepage.h"

#include <QFontMetrics>

namespace pratelia::lists {

LineListModel::LineListModel(QObject *parent) : QAbstractListModel(parent) {}

int LineListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant LineListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return line(index.row());
    case Qt::SizeHintRole:
        return m_rowSize;
    default:
        return {};
    }
}

void LineListModel::setLines(QVector<ListLine> lines)
{
    beginResetModel();
    // Kept apart so that find-in-list walks the texts alone.
    m_lines.clear();
    m_records.clear();
    m_lines.reserve(lines.size());
    m_records.reserve(lines.size());
    for (ListLine &l : lines) {
        m_lines.append(std::move(l.text));
        m_records.append(l.record);
    }
    updateRowSize();
    endResetModel();
}

int LineListModel::record(int row) const
{
    return (row < 0 || row >= m_records.size()) ? 0 : m_records.at(row);
}

QString LineListModel::line(int row) const
{
    if (row < 0 || row >= m_lines.size())
        return {};
    return codepage::decode(m_lines.at(row));
}

void LineListModel::setFont(const QFont &font, int minWidth)
{
    m_font = font;
    m_minWidth = minWidth;
    updateRowSize();
}

void LineListModel::updateRowSize()
{
    qsizetype longest = 0;
    for (const QByteArray &l : m_lines)
        longest = std::max(longest, l.size());
    const QFontMetrics fm(m_font);
    const int width = std::max(m_minWidth, int(longest) * fm.horizontalAdvance(u'M') + 12);
    m_rowSize = QSize(width, fm.height() + 2);
}

} // namespace pratelia::lists
