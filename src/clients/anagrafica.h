#pragma once
// The client card TfrmAnagrafica: edits one record of "Clienti.arx" at a
// time. The card's only state is in its controls: the edit fields and the
// two province boxes named after their record fields ("txt" + field), the
// hidden labels lblFile01..lblFile03 and lblDesc01..lblDesc03, and
// lblPosizione with the record number shown (empty on a new card). The
// search and the list of instalments due write a whole record straight into
// these controls by name.
#include "app/kit/windows.h"
#include "clientcard.h"
#include "store/record.h"

class QComboBox;
class QLabel;

namespace pratelia::kit {
class InputConventions;
}

namespace pratelia::clients {

class TfrmAnagrafica : public kit::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmAnagrafica(QWidget *parent = nullptr);

    // The commands of the card, as its pictures run them.
    void newCard();
    void save();
    void browseTo(Browse command);

    // The card as a record (every field trimmed) and a record put onto the
    // card as record `number`.
    Record cardRecord() const;
    void showRecord(const Record &record, int number);

    // Called by a search or list after it wrote a record into the controls:
    // long texts are shown from their beginning, the province boxes with no
    // list entry selected.
    Q_INVOKABLE void recordHandedOver();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    QWidget *buildCommandBar();
    QWidget *buildFields();
    void connectCommands();
    QString fieldText(const QString &field) const;
    void setFieldText(const QString &field, const QString &text);
    void openClientFolder();
    void sendMail();

    QLabel *m_position = nullptr;
    QLabel *m_status = nullptr;
    kit::InputConventions *m_conventions = nullptr;
};

} // namespace pratelia::clients
