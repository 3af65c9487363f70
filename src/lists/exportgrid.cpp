#include "exportgrid.h"

#include "listlines.h"

#include "kit/conventions.h"
#include "platform/platform.h"
#include "store/codepage.h"
#include "store/fileio.h"
#include "store/recordfile.h"
#include "platform/texts.h"
#include "store/values.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <charconv>
#include <cstring>

namespace pratelia::lists {

namespace {

quint64 key(int row, int column)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}

} // namespace

ExportGridModel::ExportGridModel(QVector<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns))
{
}

int ExportGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ExportGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ExportGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cell(index.row(), index.column());
    return {};
}

QVariant ExportGridModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < m_columns.size())
        return QString::fromUtf8(m_columns.at(section).header);
    return {};
}

Qt::ItemFlags ExportGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !m_columns.at(index.column()).readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ExportGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || m_columns.at(index.column()).readOnly)
        return false;
    m_edits.insert(key(index.row(), index.column()), value.toString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void ExportGridModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_edits.clear();
    endResetModel();
}

void ExportGridModel::beginFill()
{
    beginResetModel();
    m_filling = true;
}

void ExportGridModel::endFill()
{
    m_filling = false;
    m_rows.squeeze();
    endResetModel();
}

// A row is its cells one after the other, each as a two-byte length and
// its bytes.
void ExportGridModel::appendRow(const QVector<QByteArrayView> &cells)
{
    // Written in place into a row of its final size: an export window fills
    // one row per record of the archive before it can be used.
    qsizetype total = 0;
    for (qsizetype i = 0; i < m_columns.size(); ++i)
        total += 2 + (i < cells.size() ? std::min<qsizetype>(cells.at(i).size(), 0xFFFF) : 0);
    QByteArray row(total, Qt::Uninitialized);
    char *out = row.data();
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        const QByteArrayView c = i < cells.size() ? cells.at(i) : QByteArrayView();
        const int n = int(std::min<qsizetype>(c.size(), 0xFFFF));
        *out++ = char(n & 0xFF);
        *out++ = char(n >> 8);
        if (n > 0)
            std::memcpy(out, c.data(), size_t(n));
        out += n;
    }
    if (!m_filling)
        beginInsertRows({}, int(m_rows.size()), int(m_rows.size()));
    m_rows.append(std::move(row));
    if (!m_filling)
        endInsertRows();
}

void ExportGridModel::appendRow(const QStringList &cells)
{
    QVector<QByteArray> encoded;
    for (const QString &c : cells)
        encoded.append(codepage::encode(c));
    QVector<QByteArrayView> views;
    for (const QByteArray &e : encoded)
        views.append(e);
    appendRow(views);
}

QByteArrayView ExportGridModel::cellView(int row, int column, QByteArray &scratch) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return {};
    if (!m_edits.isEmpty()) {
        const auto e = m_edits.constFind(key(row, column));
        if (e != m_edits.constEnd()) {
            scratch = codepage::encode(*e);
            return scratch;
        }
    }
    const QByteArray &r = m_rows.at(row);
    const auto *p = reinterpret_cast<const unsigned char *>(r.constData());
    qsizetype at = 0;
    for (int i = 0;; ++i) {
        const int n = p[at] | (p[at + 1] << 8);
        if (i == column)
            return QByteArrayView(r.constData() + at + 2, n);
        at += 2 + n;
    }
}

QByteArray ExportGridModel::cellBytes(int row, int column) const
{
    QByteArray scratch;
    return cellView(row, column, scratch).toByteArray();
}

QString ExportGridModel::cell(int row, int column) const
{
    if (!m_edits.isEmpty()) {
        const auto e = m_edits.constFind(key(row, column));
        if (e != m_edits.constEnd())
            return *e;
    }
    return codepage::decode(cellBytes(row, column));
}

void fillGridFromArchive(ExportGridModel &grid, const RecordLayout &layout, const QString &path)
{
    struct Source {
        int first = -1;
        int second = -1;
    };
    QVector<Source> sources;
    for (const GridColumn &c : grid.columns()) {
        Source s;
        if (c.field)
            s.first = layout.require(QString::fromLatin1(c.field));
        if (c.secondField)
            s.second = layout.require(QString::fromLatin1(c.secondField));
        sources.append(s);
    }
    grid.beginFill();
    QVector<QByteArrayView> cells(sources.size());
    QByteArray joined;
    char number[16];
    try {
        scanArchive(path, layout, [&](const RecordView &r, int n) {
            joined.clear();
            for (qsizetype i = 0; i < sources.size(); ++i) {
                const Source &s = sources.at(i);
                if (s.first < 0) {
                    const auto end = std::to_chars(number, number + sizeof number, n).ptr;
                    cells[i] = QByteArrayView(number, end - number);
                } else if (s.second < 0) {
                    cells[i] = storedBytes(r, s.first);
                } else {
                    // Two fields joined by a blank, trimmed as a whole.
                    const QByteArrayView a = storedBytes(r, s.first);
                    const QByteArrayView b = storedBytes(r, s.second);
                    joined = a.toByteArray();
                    if (!b.isEmpty())
                        joined.append(' ').append(b.data(), b.size());
                    cells[i] = joined;
                }
            }
            grid.appendRow(cells);
            return true;
        });
    } catch (...) {
        grid.endFill();
        throw;
    }
    grid.endFill();
}

namespace {
void appendEscaped(QByteArray &out, QByteArrayView text)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char *entity = nullptr;
        switch (text[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        default: continue;
        }
        out.append(text.data() + from, i - from).append(entity);
        from = i + 1;
    }
    out.append(text.data() + from, text.size() - from);
}
} // namespace

QByteArray escapeCell(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    appendEscaped(out, text);
    return out;
}

namespace {

// Writes lines through a file handle in large pieces.
class LineWriter {
public:
    explicit LineWriter(FileHandle &file) : m_file(file) { m_buffer.reserve(kChunk + 4096); }
    bool line(QByteArrayView text)
    {
        m_buffer.append(text.data(), text.size()).append("\r\n", 2);
        return m_buffer.size() < kChunk || flush();
    }
    // One data cell, its text escaped.
    bool cell(QByteArrayView text)
    {
        m_buffer.append(kCellOpen);
        appendEscaped(m_buffer, text);
        m_buffer.append("</td>\r\n");
        return m_buffer.size() < kChunk || flush();
    }
    bool flush()
    {
        const bool ok = m_buffer.isEmpty() || m_file.write(m_buffer.constData(), m_buffer.size());
        m_buffer.clear();
        return ok;
    }

private:
    static constexpr qsizetype kChunk = 1 << 20;
    static constexpr char kCellOpen[] = "<td style=\"text-align: left;\">";
    FileHandle &m_file;
    QByteArray m_buffer;
};

const char *const kHead[] = {
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">",
    "<head>",
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
    "<!--[if gte mso 9]><xml>",
    "<x:ExcelWorkbook>",
    "<x:ExcelWorksheets>",
    "<x:ExcelWorksheet>",
};
const char *const kOptions[] = {
    "<x:WorksheetOptions>",
    "<x:Selected/>",
    "<x:Panes>",
    "<x:Pane>",
    "<x:Number>1</x:Number>",
    "<x:ActiveRow>3</x:ActiveRow>",
    "</x:Pane>",
    "</x:Panes>",
    "<x:ProtectContents>False</x:ProtectContents>",
    "<x:ProtectObjects>False</x:ProtectObjects>",
    "<x:ProtectScenarios>False</x:ProtectScenarios>",
    "</x:WorksheetOptions>",
    "</x:ExcelWorksheet>",
    "</x:ExcelWorksheets>",
    "</x:ExcelWorkbook>",
    "</xml><![endif]-->",
    "</head>",
    "<body>",
    "<table x:str>",
    "<tr>",
};

bool writeLines(LineWriter &w, const ExportSheet &sheet, const ExportGridModel &grid)
{
    for (const char *l : kHead)
        if (!w.line(l))
            return false;
    if (!w.line("<x:Name>" + escapeCell(codepage::encode(sheet.sheetName)) + "</x:Name>"))
        return false;
    for (const char *l : kOptions)
        if (!w.line(l))
            return false;
    for (const FileColumn &c : sheet.columns) {
        const QByteArray header = escapeCell(codepage::encode(QString::fromUtf8(c.header)));
        if (!w.line("<td style=\"text-align: left; font-weight: bold;\" width="
                    + QByteArray::number(c.width) + ">" + header + "</td>"))
            return false;
    }
    if (!w.line("</tr>"))
        return false;
    QByteArray scratch;
    for (int row = 0; row < grid.rowCount(); ++row) {
        if (!w.line("<tr>"))
            return false;
        for (int i = 0; i < sheet.columns.size(); ++i) {
            if (!w.cell(trimBytes(grid.cellView(row, sheet.firstGridColumn + i, scratch))))
                return false;
        }
        if (!w.line("</tr>"))
            return false;
    }
    for (const char *l : {"</table>", "</body>", "</html>"})
        if (!w.line(l))
            return false;
    return w.flush();
}

} // namespace

bool writeExportFile(const QString &path, const ExportSheet &sheet, const ExportGridModel &grid)
{
    // Written beside the old file and renamed over it: a failure leaves the
    // last export whole, and a link planted under the file's name is
    // replaced rather than written through.
    return replaceFile(path, [&](FileHandle &file) {
        LineWriter writer(file);
        return writeLines(writer, sheet, grid);
    });
}

// ---------------------------------------------------------------------------

void appendEmptyRows(ExportGridModel &grid, int count)
{
    for (int i = 0; i < count; ++i)
        grid.appendRow(QVector<QByteArrayView>());
}

QTableView *gridView(ExportGridModel *grid, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(QStringLiteral("grdRecords"));
    view->setModel(grid);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(21);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < grid->columns().size(); ++i)
        view->setColumnWidth(i, grid->columns().at(i).width);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    return view;
}

void exportGrid(QWidget *window, const ExportSheet &sheet, const ExportGridModel &grid)
{
    const QString twoBreaks = QStringLiteral("\r\n\r\n");
    if (!platform::dialogs().question(
            QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a "
                           "seconda del numero di schede presenti in archivio.")
                + twoBreaks + QStringLiteral("Si vuole esportare i dati adesso?"),
            window))
        return;
    const QString path = ArchivePath(sheet.fileName);
    if (!writeExportFile(path, sheet, grid)) {
        platform::dialogs().plain(ExportErrorText(), window);
        return;
    }
    if (platform::dialogs().question(
            QStringLiteral("Le schede in archivio sono state esportate con successo.") + twoBreaks
                + QStringLiteral("Si vuole aprire il file di Excel?"),
            window))
        platform::openPath(path);
}

ExportWindow::ExportWindow(const ExportConfig &config, QWidget *opener,
                           std::function<void(ExportGridModel &)> fill)
    : kit::DialogWindow(config.objectName, config.caption, QSize(1000, 660), opener),
      m_config(config), m_opener(opener), m_fill(std::move(fill))
{
    m_grid = new ExportGridModel(config.grid, this);
    appendEmptyRows(*m_grid, config.designRows);
    m_view = gridView(m_grid, this);
    m_view->setAccessibleName(QStringLiteral("Anteprima dei dati da esportare"));

    auto *esporta = new kit::CommandButton(QStringLiteral("cmdEsporta"), QStringLiteral("Esporta"),
                                           QStringLiteral("esporta"),
                                           QStringLiteral("Esporta l'archivio in formato Microsoft Excel."), this);
    auto *guida = new kit::CommandButton(QStringLiteral("cmdGuida"), QStringLiteral("Guida"),
                                         QStringLiteral("guida"),
                                         QStringLiteral("Visualizza la pagina della guida sensibile al contesto."), this);
    auto *esci = new kit::CommandButton(QStringLiteral("cmdEsci"), QStringLiteral("Esci"),
                                        QStringLiteral("esci"),
                                        QStringLiteral("Esci da questo ambiente di lavoro."), this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("panInfo"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFixedHeight(26);
    m_status->setIndent(6);

    auto *conventions = new kit::InputConventions(
        this, m_status, QStringLiteral("Esportazione archivio in Microsoft Excel."));
    conventions->addCommandHints();
    conventions->addClearOnHover(this);
    conventions->addClearOnHover(m_view->viewport());

    auto *commands = new QHBoxLayout;
    commands->addWidget(m_status, 1, Qt::AlignBottom);
    commands->addWidget(esporta);
    commands->addWidget(guida);
    commands->addWidget(esci);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(10, 10, 10, 10);
    box->addWidget(m_view, 1);
    box->addLayout(commands);

    connect(esporta, &QToolButton::clicked, this, &ExportWindow::exportFile);
    connect(guida, &QToolButton::clicked, this, [this] { kit::showHelp(this, m_config.help); });
    connect(esci, &QToolButton::clicked, this, [this] { closeWith(QDialog::Rejected); });
}

void ExportWindow::showEvent(QShowEvent *event)
{
    kit::DialogWindow::showEvent(event);
    if (!m_filled)
        preview();
}

void ExportWindow::preview()
{
    m_filled = true;
    // The rows as designed give way to the records; with none, they stay.
    if (m_config.designRows > 0)
        m_grid->clear();
    try {
        if (m_fill)
            m_fill(*m_grid);
        else
            fillGridFromArchive(*m_grid, *m_config.layout, m_config.archivePath(m_opener));
    } catch (const std::exception &) {
        // The grid keeps what was read before the failure.
    }
    if (m_grid->rowCount() == 0)
        appendEmptyRows(*m_grid, m_config.designRows);
}

void ExportWindow::exportFile()
{
    exportGrid(this, m_config.sheet, *m_grid);
}

} // namespace pratelia::lists
