#include "listwindows.h"

#include "kit/conventions.h"
#include "platform/platform.h"
#include "report/report.h"
#include "store/recordfile.h"
#include "platform/texts.h"
#include "store/values.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace pratelia::lists {

namespace {

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setCursor(Qt::PointingHandCursor);
    b->setMinimumSize(110, 30);
    kit::enterPresses(b);
    return b;
}

QLabel *note(const QString &text, QWidget *parent, const char *name = nullptr)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    if (name)
        l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

QFont listFont()
{
    QFont f(QStringLiteral("Courier New"), 12);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    if (!QFontInfo(f).fixedPitch())
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont), f.setPointSize(12);
    return f;
}

QStringList SearchConfig::fieldNames() const
{
    QStringList names;
    for (const SearchCriterion &c : criteria)
        names << QString::fromLatin1(c.field);
    return names;
}

ListResult searchList(const SearchConfig &config, const QString &path, const QStringList &texts)
{
    const Criteria criteria(*config.source.layout, config.fieldNames(), texts);
    ListResult result;
    scanArchive(path, *config.source.layout, [&](const RecordView &r, int number) {
        if (criteria.accepts(r))
            result.lines.append({config.source.line.buildBytes(r), number});
        return true;
    });
    sortLines(result.lines);
    return result;
}

ListResult summaryList(const SummaryConfig &config, const QString &path, const QDate &today)
{
    ListResult result;
    try {
        scanArchive(path, *config.source.layout, [&](const RecordView &r, int number) {
            bool kept = false;
            try {
                kept = config.keep(r, today);
            } catch (const std::exception &) {
                // One card with a date or a number that cannot be read must
                // not hide the cards after it.
                result.unreadable.append(number);
                return true;
            }
            if (kept)
                result.lines.append({config.source.line.buildBytes(r), number});
            return true;
        });
    } catch (const std::exception &) {
        // The list keeps what was gathered before the archive failed.
        result.complete = false;
    }
    sortLines(result.lines);
    return result;
}

namespace {
QVector<QByteArray> texts(const ListResult &result)
{
    QVector<QByteArray> out;
    out.reserve(result.lines.size());
    for (const ListLine &l : result.lines)
        out.append(l.text);
    return out;
}
} // namespace

QVector<QByteArray> searchLines(const SearchConfig &config, const QString &path,
                                const QStringList &criteria)
{
    return texts(searchList(config, path, criteria));
}

QVector<QByteArray> summaryLines(const SummaryConfig &config, const QString &path,
                                 const QDate &today, bool *complete)
{
    const ListResult result = summaryList(config, path, today);
    if (complete)
        *complete = result.complete;
    return texts(result);
}

void pickRecord(const ListSource &source, QWidget *opener, const HandOver &how, int number)
{
    const Record record = readRecord(source.archivePath(opener), *source.layout, number);
    handOver(opener, how, record.view(), number);
}

QString unreadableText(qsizetype count)
{
    if (count <= 0)
        return {};
    if (count == 1)
        return QStringLiteral("Attenzione: 1 scheda non è stata elencata perché contiene una data o "
                              "un numero non leggibile.");
    return QStringLiteral("Attenzione: %1 schede non sono state elencate perché contengono una data "
                          "o un numero non leggibile.")
        .arg(count);
}

// ---------------------------------------------------------------------------

ListPanel::ListPanel(QWidget *parent) : QWidget(parent)
{
    m_model = new LineListModel(this);
    m_model->setFont(listFont(), 1600);

    m_view = lineListView(m_model, QStringLiteral("Elenco schede"), this);
    connect(m_view, &QListView::doubleClicked, this,
            [this](const QModelIndex &i) { Q_EMIT lineActivated(i.row()); });

    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("txtTrova"));
    m_find->setAccessibleName(QStringLiteral("Testo da trovare"));
    m_findButton = button("btnTrova", QStringLiteral("Trova"), this);
    m_print = button("btnStampa", QStringLiteral("Stampa"), this);
    m_close = button("btnChiudi", QStringLiteral("Chiudi"), this);
    m_count = note(QStringLiteral("Il presente elenco contiene 0 schede."), this, "lblTrovate");
    QFont bold = m_count->font();
    bold.setBold(true);
    m_count->setFont(bold);
    m_unreadable = note(QString(), this, "lblNonLeggibili");
    m_unreadable->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    m_unreadable->hide();

    // Enter in the find field moves to Trova; Trova then runs on Enter.
    connect(m_find, &QLineEdit::returnPressed, m_findButton, [this] { m_findButton->setFocus(); });
    connect(m_findButton, &QPushButton::clicked, this, &ListPanel::find);
    connect(m_print, &QPushButton::clicked, this, [this] {
        QStringList lines;
        for (int i = 0; i < m_model->rowCount(); ++i)
            lines << m_model->line(i);
        report::printList(m_printTitle, lines, window());
    });

    auto *top = new QVBoxLayout;
    top->addWidget(note(QStringLiteral("Immettere una o più parole consecutive presenti nella "
                                       "scheda in elenco da cercare e premere il pulsante Trova."),
                        this));
    top->addWidget(note(QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa "
                                       "chiave di ricerca, fare di nuovo clic su Trova."),
                        this));
    auto *findRow = new QHBoxLayout;
    findRow->addWidget(m_find, 1);
    findRow->addWidget(m_findButton);
    auto *counts = new QVBoxLayout;
    counts->addWidget(m_count);
    counts->addWidget(m_unreadable);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(counts, 1);
    bottom->addWidget(m_print);
    bottom->addWidget(m_close);

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(12, 12, 12, 12);
    box->addLayout(top);
    box->addLayout(findRow);
    box->addWidget(note(QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un "
                                       "doppio clic."),
                        this));
    box->addWidget(m_view, 1);
    box->addLayout(bottom);
}

QListView *lineListView(QAbstractItemModel *model, const QString &accessibleName, QWidget *parent)
{
    auto *view = new QListView(parent);
    view->setObjectName(QStringLiteral("lstRecords"));
    view->setModel(model);
    view->setFont(listFont());
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setStyleSheet(QStringLiteral("QListView { color: black; background: white; }"));
    view->setAccessibleName(accessibleName);
    return view;
}

int selectedRow(const QListView *view)
{
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void selectRow(QListView *view, int row)
{
    if (row < 0 || row >= view->model()->rowCount()) {
        view->clearSelection();
        return;
    }
    const QModelIndex i = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(i);
}

int ListPanel::selectedRow() const
{
    return lists::selectedRow(m_view);
}

void ListPanel::selectRow(int row)
{
    lists::selectRow(m_view, row);
}

void ListPanel::setList(ListResult result)
{
    m_unreadable->setText(unreadableText(result.unreadable.size()));
    m_unreadable->setVisible(!result.unreadable.isEmpty());
    m_model->setLines(std::move(result.lines));
    selectRow(0);
}

void ListPanel::resetFind()
{
    m_previousFind.clear();
    m_find->clear();
    selectRow(0);
}

void ListPanel::find()
{
    if (m_model->rowCount() == 0) {
        platform::dialogs().plain(
            QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."), window());
        return;
    }
    if (selectedRow() < 0)
        selectRow(0);
    const int row = findInList(m_model->lines(), selectedRow(), m_find->text(), m_previousFind);
    if (row >= 0)
        selectRow(row);
}

// ---------------------------------------------------------------------------

SearchWindow::SearchWindow(const SearchConfig &config, QWidget *opener)
    : kit::DialogWindow(config.objectName, config.caption, QSize(900, 640), opener),
      m_config(config), m_opener(opener)
{
    m_stack = new QStackedWidget(this);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_stack);

    // Criteria panel.
    auto *start = new QWidget(m_stack);
    start->setObjectName(QStringLiteral("panAvvio"));
    auto *conventions = new kit::InputConventions(this, nullptr, QString());
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(10);
    QVector<QWidget *> chain;
    for (int i = 0; i < config.criteria.size(); ++i) {
        const SearchCriterion &c = config.criteria.at(i);
        auto *edit = new QLineEdit(start);
        edit->setObjectName(QLatin1String(c.control));
        edit->setMinimumWidth(460);
        form->addWidget(kit::captionFor(edit, QString::fromUtf8(c.caption), start), i, 0,
                        Qt::AlignRight);
        form->addWidget(edit, i, 1);
        m_criteria.append(edit);
        chain.append(edit);
    }
    for (QLineEdit *e : m_criteria)
        conventions->addFocusFrame(e);
    conventions->setEnterChain(chain, true);
    form->setColumnStretch(2, 1);

    auto *cerca = button("btnCerca", QStringLiteral("Cerca"), start);
    auto *annulla = button("btnAnnulla", QStringLiteral("Chiudi"), start);
    m_conta = new QLabel(QStringLiteral("0"), start);
    m_conta->setObjectName(QStringLiteral("lblConta"));
    m_conta->hide();
    m_memory = new QLabel(start);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();
    m_wait = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), start);
    m_wait->setObjectName(QStringLiteral("lblAttendere"));
    m_wait->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    m_wait->hide();
    // Showing the notice must not move the buttons under the mouse.
    QSizePolicy keep = m_wait->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_wait->setSizePolicy(keep);

    auto *heading = note(QStringLiteral("Immettere nei campi prescelti una o più parole "
                                        "consecutive presenti nelle schede da trovare e premere "
                                        "il pulsante Cerca."),
                         start);
    QFont hf = heading->font();
    hf.setBold(true);
    heading->setFont(hf);
    auto *startBox = new QVBoxLayout(start);
    startBox->setContentsMargins(24, 20, 24, 20);
    startBox->addWidget(heading);
    startBox->addWidget(note(QStringLiteral("Lasciare in bianco tutti gli altri campi."), start));
    startBox->addWidget(note(QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più "
                                            "campi contemporaneamente."),
                             start));
    startBox->addSpacing(12);
    startBox->addLayout(form);
    startBox->addStretch(1);
    auto *commands = new QHBoxLayout;
    commands->addWidget(m_wait, 1);
    commands->addWidget(cerca);
    commands->addWidget(annulla);
    startBox->addLayout(commands);

    // Result panel.
    m_results = new ListPanel(m_stack);
    m_results->setObjectName(QStringLiteral("panContainer"));

    m_stack->addWidget(start);
    m_stack->addWidget(m_results);
    m_stack->setCurrentWidget(start);

    connect(cerca, &QPushButton::pressed, this, [this] {
        m_wait->show();
        m_wait->repaint();
    });
    connect(cerca, &QPushButton::clicked, this, &SearchWindow::search);
    connect(annulla, &QPushButton::clicked, this, &SearchWindow::finish);
    connect(m_results->closeButton(), &QPushButton::clicked, this, &SearchWindow::finish);
    connect(m_results, &ListPanel::lineActivated, this, &SearchWindow::pick);
    m_results->setPrintTitle(config.source.printTitle);
}

void SearchWindow::setMode(const QString &mode)
{
    m_memory->setText(mode);
}

QString SearchWindow::mode() const
{
    return m_memory->text();
}

bool SearchWindow::showingResults() const
{
    return m_stack->currentWidget() == m_results;
}

void SearchWindow::showEvent(QShowEvent *event)
{
    kit::DialogWindow::showEvent(event);
    if (!showingResults()) {
        m_results->resetFind();
        if (!m_criteria.isEmpty())
            m_criteria.first()->setFocus();
    }
}

void SearchWindow::search()
{
    QStringList texts;
    int inUse = 0;
    for (QLineEdit *e : m_criteria) {
        texts << e->text();
        if (!trimText(e->text()).isEmpty())
            ++inUse;
    }
    m_conta->setText(QString::number(inUse));
    ListResult found;
    try {
        found = searchList(m_config, m_config.source.archivePath(m_opener), texts);
    } catch (const std::exception &) {
        m_wait->hide();
        platform::dialogs().plain(FileAccessErrorText(), this);
        return;
    }
    const int count = int(found.lines.size());
    m_results->setList(std::move(found));
    m_results->countLabel()->setText(m_config.countText.arg(count));
    m_stack->setCurrentWidget(m_results);
    m_wait->hide();
    m_results->findField()->clear();
    m_results->findField()->setFocus();
}

void SearchWindow::pick(int row)
{
    // The record the line was built from, read again by its number.
    const int number = m_results->model()->record(row);
    const auto how = m_config.modes.constFind(mode());
    if (number > 0 && how != m_config.modes.constEnd()) {
        try {
            pickRecord(m_config.source, m_opener, *how, number);
        } catch (const std::exception &) {
            // A record that can no longer be read hands nothing over.
        }
    }
    finish();
}

void SearchWindow::finish()
{
    m_results->model()->clear();
    m_wait->hide();
    closeWith(QDialog::Accepted);
}

// ---------------------------------------------------------------------------

SummaryListWindow::SummaryListWindow(const SummaryConfig &config, QWidget *opener)
    : kit::DialogWindow(config.objectName, config.caption, QSize(900, 600), opener),
      m_config(config), m_opener(opener)
{
    m_results = new ListPanel(this);
    // No count line here; the buttons keep their place on the right.
    QSizePolicy keep = m_results->countLabel()->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_results->countLabel()->setSizePolicy(keep);
    m_results->countLabel()->hide();
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_results);
    connect(m_results, &ListPanel::lineActivated, this, &SummaryListWindow::pick);
    connect(m_results->closeButton(), &QPushButton::clicked, this,
            [this] { closeWith(QDialog::Rejected); });
    m_results->setPrintTitle(config.source.printTitle);
}

void SummaryListWindow::showEvent(QShowEvent *event)
{
    kit::DialogWindow::showEvent(event);
    if (!m_built)
        build();
}

void SummaryListWindow::build()
{
    m_built = true;
    m_results->resetFind();
    m_results->setList(
        summaryList(m_config, m_config.source.archivePath(m_opener), platform::clock().today()));
    m_results->findField()->setFocus();
}

void SummaryListWindow::pick(int row)
{
    const int number = m_results->model()->record(row);
    if (number > 0) {
        try {
            pickRecord(m_config.source, m_opener, m_config.pick, number);
        } catch (const std::exception &) {
        }
    }
    closeWith(QDialog::Accepted);
}

} // namespace pratelia::lists
