#pragma once
// TfrmTariffario: the fee schedule card, one card of "Tariffario.arx" at a
// time, with New, Duplica, Save, browsing and the fee schedule's lists.
#include "app/kit/windows.h"
#include "feecard.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pratelia::kit {
class InputConventions;
}

namespace pratelia::fees {

class TfrmTariffario : public kit::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmTariffario(QWidget *parent = nullptr);

    // The commands, as the window's pictures run them.
    void newCard();
    void duplicate();
    void save();
    void browse(Browse command);
    void importPerson();
    void checkTaxCode();
    void sendEmail();
    void chooseRequestForm();
    void openRequestForm();
    void clearRequestForm();
    void attachFiles();
    void findCard();
    void exportArchive();
    void printCard();
    void showDiscounted();
    void showHelpPage();

    // The card's contents as they stand in its controls.
    CardFields card() const;
    void setCard(const CardFields &values);

public Q_SLOTS:
    // After a list window wrote a record into the card: long texts show
    // from their beginning.
    void recordHandedOver();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QLineEdit *field(const QString &name) const;

    kit::InputConventions *m_conventions = nullptr;
    QLabel *m_position = nullptr;
    QCheckBox *m_discounted = nullptr;
    QPushButton *m_open = nullptr;
};

} // namespace pratelia::fees
