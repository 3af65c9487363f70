#pragma once
// The protocol's windows: the year menu TfrmMenuProtocollo, the card
// TfrmProtocollo on the card layer, the numbering window TfrmNumerazione
// and the summary by interval TfrmRiepProtocollo. The card's archive is
// the path in its hidden lblFile.
#include "protocollo.h"

#include "kit/card.h"
#include "kit/windows.h"
#include "kit/yearmenu.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace pratelia::lists {
class ExportGridModel;
}

namespace pratelia::protocol {

class TfrmMenuProtocollo : public kit::YearMenuWindow {
    Q_OBJECT
public:
    explicit TfrmMenuProtocollo(QWidget *parent = nullptr);
};

class TfrmProtocollo : public kit::CardWindow {
    Q_OBJECT
public:
    explicit TfrmProtocollo(QWidget *parent = nullptr);

    // New: reads the numbering settings, counts the archive's records and
    // proposes the next number on a blank card.
    void newProtocolCard();
    // Save. A new card whose number is still the one New proposed gets the
    // number of the record it lands on, which another copy of the program
    // may have taken meanwhile.
    void saveProtocolCard();
    // The number New proposed and that a save may still adjust; empty when
    // the card holds none.
    QString proposal() const { return m_proposal ? m_proposal->text : QString(); }

protected:
    // Opening: the remembered office and operator on a blank card.
    void cardShown() override;
    // A number stored on another card of the archive is saved only when
    // the user says so.
    bool confirmSave(const kit::CardValues &values) override;
    void completeAppend(Record &record, int number) override;
    QString savedText(bool appended) override;
    // Leaving: the office and operator become the defaults.
    void closeEvent(QCloseEvent *event) override;

private:
    struct Proposal {
        QString text;
        Numbering numbering;
        int year = 0;
    };
    std::optional<Proposal> m_proposal;
    QString m_landed; // the number the last append gave the record
};

// The numbering window over `card`, in mode "protocollo".
void showNumbering(QWidget *card);

class TfrmNumerazione : public kit::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmNumerazione(QWidget *opener);
    void setMode(const QString &mode);
    QLineEdit *startField() const { return m_start; }
    QCheckBox *yearBox() const { return m_year; }
    // Applica e chiudi.
    void apply();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_start;
    QCheckBox *m_year;
    QLabel *m_memory;
};

// The summary by interval over `card`, reading its lblFile.
void showIntervalSummary(QWidget *card);

class TfrmRiepProtocollo : public kit::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmRiepProtocollo(QWidget *opener);
    lists::ExportGridModel *grid() const { return m_grid; }
    QLabel *skippedLabel() const { return m_skipped; }
    // cmdTrova: the checks, then the list.
    void build();
    // cmdEsporta.
    void exportRows();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *m_opener;
    QLineEdit *m_from;
    QLineEdit *m_to;
    lists::ExportGridModel *m_grid;
    QTableView *m_view;
    QLabel *m_skipped;
};

} // namespace pratelia::protocol
