#pragma once
// The fee card's values and the record of "Tariffario.arx": which control
// edits which record field, the card a new or duplicated card starts from,
// the checks made before a save, and the rule by which the browse commands
// choose the card to show.
#include "store/browse.h"
#include "store/layout.h"
#include "store/record.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <optional>

class QWidget;

namespace pratelia::fees {

// A control of a window and the record field it shows.
struct FieldLink {
    QString control;
    QString field;
};

// The card's contents by control name: the edit fields (txtID ... txtCopia),
// the hidden attachment labels, lblPosizione and chkTarScontata, the last
// holding the record's flag text ("Sì", "No", or what a damaged record held).
using CardFields = QHash<QString, QString>;

inline constexpr char kArchiveName[] = "Tariffario.arx";
inline constexpr char kFlagControl[] = "chkTarScontata";
inline constexpr char kFlagField[] = "TarScontata";
inline constexpr char kPositionLabel[] = "lblPosizione";

// Full path of the fee archive in the program folder.
QString archivePath();
const RecordLayout &layout();

// The card's edit fields in screen and Enter order, txtID to txtCopia.
const QVector<FieldLink> &editFields();
// The hidden labels of the three further attachments.
const QVector<FieldLink> &attachmentLabels();
// Every control that receives a record shown on the card: the edit fields,
// the check box and the attachment labels (not lblPosizione).
const QVector<FieldLink> &recordControls();
// recordControls() and lblPosizione: everything that makes up the card.
const QVector<FieldLink> &cardControls();
// Maximum length of an edit field: its record field's capacity.
int maxLength(const QString &control);

// The flag texts and what they do to the check box: "Sì" ticks, "No"
// clears, anything else leaves it as it was.
QString flagText(bool ticked);
std::optional<bool> tickFor(const QString &flag);
// Whether a record counts as offered at a discounted fee.
bool isDiscounted(const RecordView &record);

// The card as New leaves it.
CardFields blankCard();
// The values a record gives the controls of `links`, trimmed, by control
// name.
CardFields valuesFromRecord(const RecordView &record, const QVector<FieldLink> &links);
// Record `number` as the card shows it: recordControls() and lblPosizione.
CardFields cardFromRecord(const RecordView &record, int number);
// The record a save writes: every value trimmed and cut to its capacity,
// the flag "Sì" when ticked and "No" otherwise.
Record recordFromCard(const CardFields &card);
// What Duplica leaves of a saved card: the code, the request form, the
// further attachments and the position emptied, the rest kept.
CardFields duplicated(const CardFields &card);

// The first mandatory field left blank, with its message.
struct MissingField {
    QString control;
    QString message;
};
std::optional<MissingField> firstMissingField(const CardFields &card);

// The browse commands and the card each shows: `count` records in the
// archive, `current` the card's position (0 for a new card). The result is
// the record number to show, 0 for "nothing happens", or -1 for "the
// archive is empty" (the message; Next also empties the position).
using pratelia::Browse;
int browseTarget(Browse command, int count, int current);

// The card's position as a record number, 0 when the card is new.
int positionNumber(const QString &label);

// Reading and writing the card's controls by object name: line edits and
// labels by their text, check boxes by the flag texts. Controls missing
// from `window` are skipped; values are trimmed when written.
CardFields readControls(const QWidget *window, const QVector<FieldLink> &links);
void writeControls(QWidget *window, const QVector<FieldLink> &links, const CardFields &values);

} // namespace pratelia::fees
