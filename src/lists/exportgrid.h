#pragma once
// The spreadsheet export: a preview grid filled from an archive (or by a
// view of its own), and the file spreadsheet programs open as a workbook:
// an HTML table with the Office spreadsheet markup, written line by line in
// Windows-1252 with CR LF line ends.
#include "store/layout.h"
#include "store/record.h"

#include "kit/help.h"
#include "kit/windows.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QVector>
#include <functional>

class QLabel;
class QTableView;

namespace pratelia::lists {

// A preview column: its header, width and read-only mark, and what it
// holds: a record field, two fields joined by one blank, or (no field) the
// record number.
struct GridColumn {
    const char *header;
    int width;
    bool readOnly;
    const char *field = nullptr;
    const char *secondField = nullptr;
};

// A column of the file's header row.
struct FileColumn {
    const char *header;
    int width;
};

// The grid of an export window. Rows are kept packed in Windows-1252 (the
// code page of the archives and of the file), so a large archive costs
// little more than its texts; edits of the open columns are kept apart.
class ExportGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ExportGridModel(QVector<GridColumn> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    const QVector<GridColumn> &columns() const { return m_columns; }
    // Empties the grid.
    void clear();
    // Appends one row from cells in Windows-1252 (one per column).
    void appendRow(const QVector<QByteArrayView> &cells);
    void appendRow(const QStringList &cells);
    // The text of a cell in Windows-1252 ('?' for what an edit put there
    // and the code page lacks).
    QByteArray cellBytes(int row, int column) const;
    // The same without a copy: a view into the grid, or into `scratch` for
    // an edited cell.
    QByteArrayView cellView(int row, int column, QByteArray &scratch) const;
    QString cell(int row, int column) const;

    // Call around a series of appendRow for one model reset.
    void beginFill();
    void endFill();

private:
    QVector<GridColumn> m_columns;
    QVector<QByteArray> m_rows;
    QHash<quint64, QString> m_edits;
    bool m_filling = false;
};

// Fills the grid with one row per record of the archive, in file order.
// Throws ArchiveError; the rows read before a failure stay.
void fillGridFromArchive(ExportGridModel &grid, const RecordLayout &layout, const QString &path);

// What an export writes.
struct ExportSheet {
    QString fileName;  // "Clienti.xls", in the program folder
    QString sheetName; // "Riepilogo Clienti"
    QVector<FileColumn> columns;
    int firstGridColumn = 1; // the file takes grid columns from here on
};

// Writes the export file of the grid at `path`, replacing any file there,
// through the file layer. Returns false on any failure (the file there
// before then stays as it was).
bool writeExportFile(const QString &path, const ExportSheet &sheet, const ExportGridModel &grid);

// "&", "<" and ">" as HTML entities, so a cell shows as stored.
QByteArray escapeCell(QByteArrayView text);

struct ExportConfig {
    QString objectName; // "TfrmExpClienti"
    QString caption;
    const RecordLayout *layout = nullptr;
    std::function<QString(QWidget *opener)> archivePath;
    QVector<GridColumn> grid;
    ExportSheet sheet;
    kit::HelpPage help = kit::HelpPage::ExpClienti;
    // Empty rows the grid shows before records fill it, kept when the
    // archive holds none (and then written as empty rows).
    int designRows = 0;
};

// Appends `count` rows of empty cells.
void appendEmptyRows(ExportGridModel &grid, int count);
// The preview table of a grid: its column widths, alternating rows of
// height 21, headers on the left, cells edited by double-click or F2.
QTableView *gridView(ExportGridModel *grid, QWidget *parent);
// Esporta over `window`: asks first, writes the grid as `sheet` into the
// program folder, then offers to open it; a failure shows ExportError.
void exportGrid(QWidget *window, const ExportSheet &sheet, const ExportGridModel &grid);

// The export window: the preview grid, Esporta, Guida, Esci and the status
// line. By default the grid is filled from the configured archive when the
// window is first shown; `fill` replaces that (views of their own).
class ExportWindow : public kit::DialogWindow {
    Q_OBJECT
public:
    ExportWindow(const ExportConfig &config, QWidget *opener,
                 std::function<void(ExportGridModel &)> fill = {});
    ExportGridModel *grid() const { return m_grid; }
    QTableView *view() const { return m_view; }
    QLabel *status() const { return m_status; }
    // Fills the preview (done once, when first shown).
    void preview();
    // Esporta: the two questions, the file, the shell.
    void exportFile();

protected:
    void showEvent(QShowEvent *event) override;

private:
    ExportConfig m_config;
    QWidget *m_opener;
    std::function<void(ExportGridModel &)> m_fill;
    ExportGridModel *m_grid;
    QTableView *m_view;
    QLabel *m_status;
    bool m_filled = false;
};

} // namespace pratelia::lists
