#pragma once
// The fee summary's two windows: the selection TfrmMenuRiepCosti (year,
// client and type filters, the interval, "Visualizza riepilogo"), reached
// from the main menu, and the result TfrmRiepCosti it opens modally (the
// list of services, the total, find in list, print). The result reads its
// criteria from the selection window's controls by name.
#include "feesummary.h"

#include "kit/windows.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QToolButton;

namespace pratelia::kit {
class ChoiceBox;
}
namespace pratelia::lists {
class LineListModel;
}

namespace pratelia::summary {

class TfrmMenuRiepCosti : public kit::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmMenuRiepCosti(QWidget *parent = nullptr);

    // "Visualizza riepilogo": the checks, then the result window, modally.
    void showSummary();
    // Opens the client search in mode "riepilogo" (impCliente).
    void importClient();

    // The result window while it is open; null otherwise.
    class TfrmRiepCosti *result() const { return m_result; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void copyYear();
    QLineEdit *m_year;
    QLineEdit *m_client;
    QLineEdit *m_type;
    kit::ChoiceBox *m_startDay, *m_startMonth, *m_endDay, *m_endMonth;
    QLabel *m_startYear, *m_endYear;
    QLabel *m_wait;
    QLabel *m_file, *m_startDate, *m_endDate;
    QPushButton *m_show;
    TfrmRiepCosti *m_result = nullptr;
};

class TfrmRiepCosti : public QDialog {
    Q_OBJECT
public:
    // `selection` is the window whose controls hold the criteria.
    explicit TfrmRiepCosti(QWidget *selection);
    ~TfrmRiepCosti() override;

    // Reads the archive and fills the window. False when the archive
    // cannot be opened at all (the window then shows nothing).
    bool build();
    // The filters, total and unreadable cards of the summary shown (its
    // lines are in the list).
    const FeeSummary &summary() const { return m_summary; }

    QListView *list() const { return m_view; }
    lists::LineListModel *model() const { return m_model; }
    int selectedRow() const;
    // Trova.
    void find();
    // Stampa riepilogo.
    void print();
    // Esci (and the title bar's close button).
    void leave();

    // The find key of the previous Trova, kept for the whole run of the
    // program: a new result window goes on from it.
    static QString &previousFind();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void selectRow(int row);
    QWidget *m_selection;
    FeeSummary m_summary;
    lists::LineListModel *m_model;
    QListView *m_view;
    QLabel *m_client, *m_interval, *m_total, *m_count, *m_unreadable;
    QLineEdit *m_find;
    bool m_leaving = false;
};

} // namespace pratelia::summary
