#pragma once
// The search windows and the summary lists: one mechanism each, configured
// per archive by plain data (criteria, list line, selection rule, what a
// pick hands over).
#include "handover.h"
#include "linemodel.h"
#include "listlines.h"

#include "kit/windows.h"

#include <QDate>
#include <QHash>
#include <functional>

class QLabel;
class QLineEdit;
class QAbstractItemModel;
class QListView;
class QPushButton;
class QStackedWidget;

namespace pratelia::lists {

// Where a list's records come from and how each shows as a line.
struct ListSource {
    const RecordLayout *layout = nullptr;
    // The archive to read, from the window that opened the list (the client
    // and fee archives ignore it; the yearly archives read its lblFile).
    std::function<QString(QWidget *opener)> archivePath;
    LineLayout line;
    QString printTitle;
};

struct SearchCriterion {
    const char *control; // "txtCognome"
    const char *caption; // "Cognome:"
    const char *field;   // "Cognome"
};

struct SearchConfig {
    QString objectName; // "TfrmTrovaClienti"
    QString caption;    // " Trova clienti in archivio"
    ListSource source;
    QVector<SearchCriterion> criteria;
    // By mode word; a mode word not listed hands nothing over.
    QHash<QString, HandOver> modes;
    // The count line of the results, %1 the number of lines.
    QString countText = QStringLiteral("Il presente riepilogo contiene %1 schede.");

    QStringList fieldNames() const;
};

struct SummaryConfig {
    QString objectName;
    QString caption;
    ListSource source;
    // Whether a record is listed on `today`. It throws std::exception for a
    // record it cannot judge (a date or a number that cannot be read): that
    // record is left out and counted, and the list goes on.
    std::function<bool(const RecordView &, const QDate &today)> keep;
    HandOver pick;
};

// What a search or a summary list found.
struct ListResult {
    QVector<ListLine> lines; // in list order, each with its record's number
    QVector<int> unreadable; // records left out because they could not be read, in file order
    bool complete = true;    // false when reading the archive failed part way
};

// A search: the records whose fields hold the criteria. `texts` are the
// criteria as typed, in the order of config.criteria. Throws ArchiveError.
ListResult searchList(const SearchConfig &config, const QString &path, const QStringList &texts);
// A summary list on `today`. A failure to read the archive ends the
// building silently (`complete` is then false), keeping the lines gathered
// so far.
ListResult summaryList(const SummaryConfig &config, const QString &path, const QDate &today);

// The texts alone, for the tools that only show them.
QVector<QByteArray> searchLines(const SearchConfig &config, const QString &path,
                                const QStringList &texts);
QVector<QByteArray> summaryLines(const SummaryConfig &config, const QString &path,
                                 const QDate &today, bool *complete = nullptr);

// Reads record `number` of the list's archive and hands it over to the
// opener. Throws ArchiveError (also when the record is no longer there).
void pickRecord(const ListSource &source, QWidget *opener, const HandOver &how, int number);

// The warning shown under a list that left out `count` unreadable records;
// empty for none.
QString unreadableText(qsizetype count);

// The result list shared by the search and summary windows: the list, the
// find-in-list field with Trova, Stampa, Chiudi and their texts.
class ListPanel : public QWidget {
    Q_OBJECT
public:
    explicit ListPanel(QWidget *parent);
    LineListModel *model() const { return m_model; }
    QListView *view() const { return m_view; }
    QLineEdit *findField() const { return m_find; }
    QPushButton *findButton() const { return m_findButton; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *closeButton() const { return m_close; }
    QLabel *countLabel() const { return m_count; }
    // The warning about records left out; hidden while there are none.
    QLabel *unreadableLabel() const { return m_unreadable; }
    int selectedRow() const;
    void selectRow(int row);
    // Shows a list and selects its first line.
    void setList(ListResult result);
    // Find in list with the text of the find field.
    void find();
    void resetFind();
    void setPrintTitle(const QString &title) { m_printTitle = title; }

Q_SIGNALS:
    void lineActivated(int row);

private:
    LineListModel *m_model;
    QListView *m_view;
    QLineEdit *m_find;
    QPushButton *m_findButton;
    QPushButton *m_print;
    QPushButton *m_close;
    QLabel *m_count;
    QLabel *m_unreadable;
    QString m_previousFind;
    QString m_printTitle;
};

class SearchWindow : public kit::DialogWindow {
    Q_OBJECT
public:
    SearchWindow(const SearchConfig &config, QWidget *opener);
    const SearchConfig &config() const { return m_config; }
    void setMode(const QString &mode);
    QString mode() const;
    QLineEdit *criterion(int i) const { return m_criteria.at(i); }
    ListPanel *results() const { return m_results; }
    bool showingResults() const;

    // Cerca: runs the search with the criteria typed.
    void search();
    // Double-click on a line: hands the record over and closes.
    void pick(int row);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void finish();
    SearchConfig m_config;
    QWidget *m_opener;
    QStackedWidget *m_stack;
    QVector<QLineEdit *> m_criteria;
    QLabel *m_memory;
    QLabel *m_conta;
    QLabel *m_wait;
    ListPanel *m_results;
};

class SummaryListWindow : public kit::DialogWindow {
    Q_OBJECT
public:
    SummaryListWindow(const SummaryConfig &config, QWidget *opener);
    ListPanel *results() const { return m_results; }
    // Builds the list (also done when the window is shown).
    void build();
    void pick(int row);

protected:
    void showEvent(QShowEvent *event) override;

private:
    SummaryConfig m_config;
    QWidget *m_opener;
    ListPanel *m_results;
    bool m_built = false;
};

// The fixed-width font of the lists.
QFont listFont();
// A list view as every list window shows its lines: fixed-width font, one
// line selected at a time, both scroll bars, black on white.
QListView *lineListView(QAbstractItemModel *model, const QString &accessibleName, QWidget *parent);
// The selected line of a list view, -1 for none.
int selectedRow(const QListView *view);
// Selects and shows a line; a row outside the list clears the selection.
void selectRow(QListView *view, int row);

} // namespace pratelia::lists
