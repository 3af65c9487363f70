#pragma once
// The card window every archive card is built on. A card is described by
// data: its record fields and the controls that edit them (with their
// limits, filters, trimming and upper-casing), its command bar as one table
// of commands, its body as groups of rows, its save checks, the values of a
// new card and what Duplica resets. The layer builds the window from that
// and runs what every card does the same way: new card, save (append or
// update, the refusals, the record number kept after a failed close),
// browse, show a record, duplicate, the attach window, the document field,
// mail, help and exit. A card adds only what is its own.
#include "binding.h"
#include "browse.h"
#include "cardprint.h"
#include "fieldrules.h"
#include "help.h"
#include "windows.h"

#include "platform/platform.h"
#include "store/layout.h"
#include "store/record.h"
#include "store/recordfile.h"

#include <QHash>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

class QLabel;

namespace pratelia::kit {

class CardWindow;
class InputConventions;

// A card's contents by control name (the record's controls and
// lblPosizione), each as the control holds it.
using CardValues = QHash<QString, QString>;

enum class FieldKind {
    Edit,      // an edit field
    ListBox,   // a combo box offering a list that also takes free typing
    ChoiceBox, // a combo box whose value comes from its list: typing is refused
    Check,     // a check box: "Sì" ticked, "No" not
    Radio,     // radio buttons: the caption of the ticked one
    Date,      // a date field filled from the date picker, emptied by Backspace or Delete
    Label,     // a label: hidden state, or shown with the Shown look
};

enum FieldLook : unsigned {
    Normal = 0,
    ReadOnly = 1u << 0,  // not typed into (filled by a command)
    Clearable = 1u << 1, // read-only, emptied by Backspace or Delete
    Centred = 1u << 2,
    Bold = 1u << 3,
    Shown = 1u << 4,     // a label shown on the card
};

// One control of the card and the record field it holds.
struct CardField {
    QString control;  // "txtCognome"
    QString field;    // "Cognome"; empty for a control that is window state only
    QString caption;  // the caption beside it (a check box's own text)
    FieldKind kind = FieldKind::Edit;
    FieldRules rules; // what typing and pasting may put into it
    unsigned look = Normal;
    QString hint;       // status line text while the pointer is over it
    QString pickerMode; // a date field's mode word for the date picker
    QStringList items;  // a combo box's list; radio buttons: "optName=Caption"

    // Chained settings, so that a table of fields reads as one line each.
    CardField input(unsigned i) const { CardField f = *this; f.rules.input = i; return f; }
    CardField typingLimit(int n) const { CardField f = *this; f.rules.typingLimit = n; return f; }
    CardField looks(unsigned l) const { CardField f = *this; f.look = l; return f; }
    CardField withHint(const QString &h) const { CardField f = *this; f.hint = h; return f; }
    CardField withItems(const QStringList &l) const { CardField f = *this; f.items = l; return f; }
};

// The edit field "txt" + field.
CardField editField(const QString &field, const QString &caption, unsigned input = Plain);
// A combo box "txt" + field with its list; `freeTyping` lets any text in.
CardField listField(const QString &field, const QString &caption, const QStringList &items,
                    bool freeTyping);
// The check box "chk" + field with its own text.
CardField checkField(const QString &field, const QString &text, const QString &hint = {});
// The date field "txt" + field and the date picker's mode word for it.
CardField dateField(const QString &field, const QString &caption, const QString &pickerMode,
                    const QString &hint);
// Radio buttons for a field; `buttons` are "optName=Caption".
CardField radioField(const QString &field, const QString &control, const QStringList &buttons);
// The hidden label "lbl" + field.
CardField hiddenField(const QString &field);
// The six hidden labels of the three further attached files.
QVector<CardField> attachmentFields();

enum class CommandPlace {
    Bar,    // a picture in the command bar
    Beside, // a small picture beside a field
    Button, // a push button with its text
};

struct CardCommand {
    QString name;      // "cmdNuovo"
    QString shortName; // caption under the picture and accessible name; a button's text
    QString picture;   // picture name (commandIcon)
    QString status;    // status line text while the pointer is over it
    // What it does; none: the layer's own command of that name (cmdNuovo,
    // cmdSalva, cmdDuplica, cmdPrimo, cmdIndietro, cmdAvanti, cmdUltimo,
    // cmdFile, cmdStampa, cmdGuida, cmdEsci, btnEmail, and btnSfoglia,
    // btnApri and imgCancella01 for the document field).
    std::function<void(CardWindow &)> action;
    CommandPlace place = CommandPlace::Bar;
    bool newGroup = false; // a separator before it in the bar
};

CardCommand barCommand(const QString &name, const QString &shortName, const QString &picture,
                       const QString &status, std::function<void(CardWindow &)> action = {},
                       bool newGroup = false);
CardCommand besideCommand(const QString &name, const QString &shortName, const QString &picture,
                          const QString &status, std::function<void(CardWindow &)> action = {});
CardCommand buttonCommand(const QString &name, const QString &text, const QString &status,
                          std::function<void(CardWindow &)> action = {});

// A command the cards share, with the picture, short name and status text
// they all give it: cmdNuovo, cmdSalva, cmdTrova, cmdPrimo, cmdIndietro,
// cmdAvanti, cmdUltimo, cmdEsporta, cmdStampa, cmdFile, cmdGuida, cmdEsci, cmdDuplica
// in the command bar, btnCodFisc, btnIva and btnEmail beside their fields.
CardCommand sharedCommand(const QString &name, std::function<void(CardWindow &)> action = {},
                          bool newGroup = false);
// The four browse commands, in their order, the first starting a group.
QVector<CardCommand> browseCommands();
// "Attenzione: per salvare la scheda è necessario indicare " + `what`: the
// warning of a field a card cannot be saved without.
QString neededToSave(const QString &what);

// The body: bands one below the other, each of columns side by side, each
// column of groups one below the other, each group of rows of cells. A
// cell is a control of the card (a field or a command beside it), or a
// fixed text when it names no control. The first cell's caption stands in
// the group's caption column; the others' before their control. Every
// member of these tables has a value of its own, so that a table names a
// cell by its control alone ({"txtNome"}) or with its width ({"txtCap", 58}).
struct CardCell {
    QString control{};
    int width = 0;  // 0: takes what the row leaves
    QString text{}; // a fixed text (with no control)
};
struct CardGroup {
    QString title;
    QString name; // object name of the frame
    QVector<QVector<CardCell>> rows;
    int captionWidth = 0; // minimum width of the caption column
};
struct CardColumn {
    QVector<CardGroup> groups;
    int stretch = 1;
};
using CardBand = QVector<CardColumn>;

// What a card that cannot be saved shows: the kind of message, its text
// and the control that gets the focus (empty: the focus stays).
struct SaveRefusal {
    MessageKind kind = MessageKind::Warning;
    QString text;
    QString focus;
};

// A field that must not be blank, the warning when it is, and the control
// that then gets the focus (empty: the field itself).
struct Mandatory {
    QString control;
    QString message;
    QString focus;
};
// The first mandatory field left blank, in the table's order.
std::optional<SaveRefusal> firstMissing(const QVector<Mandatory> &mandatory,
                                        const CardValues &values);

// A value of a new card: a text, today's date, or what the control holds.
struct BlankValue {
    enum Kind { Text, Today, Keep };
    QString control;
    QString text;
    Kind kind = Text;
};
BlankValue blankText(const QString &control, const QString &text);
BlankValue blankToday(const QString &control);
BlankValue blankKeep(const QString &control);

// Every member has a value of its own (an empty one at the least), so that a
// card's designated initializer names only what the card sets.
struct CardSpec {
    QString objectName{}; // "TfrmAnagrafica"
    QString caption{};    // " Pratelia - Anagrafica Clienti"
    QString restText{};   // the status line at rest
    const RecordLayout *layout = nullptr;
    // The archive in the program folder; empty for a yearly archive, whose
    // path the card holds in its hidden lblFile.
    QString archiveName{};

    QVector<CardField> fields{};
    QVector<CardCommand> commands{};
    QVector<CardBand> body{};

    // Enter chains; none given: one chain of every typed field in the
    // table's order.
    QVector<QStringList> enterChains{};
    bool chainsWrap = false;
    // The tab order; empty: the order of the body.
    QStringList tabOrder{};

    // A new card: every control empty (check boxes and radio buttons
    // cleared) but these.
    QVector<BlankValue> blank{};
    QString newFocus{};

    // The save checks: a table of mandatory fields, or a function that may
    // also fill values the save derives (it gets the card's values and the
    // values it changes reach the card, saved or not).
    QVector<Mandatory> mandatory{};
    std::function<std::optional<SaveRefusal>(CardValues &)> refuseSave{};
    QString insertedText = QStringLiteral("La scheda corrente è stata inserita in archivio.");
    QString updatedText =
        QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

    // Browsing: Previous on record 1 stays silent even on an empty archive.
    bool previousOnFirstIsSilent = false;

    // Duplica: the controls that go back to their new-card value; the card
    // becomes new. `duplicateOpensArchive`: it also opens the archive (and
    // so creates it, or reports that it cannot be reached).
    QStringList duplicateResets{};
    QString duplicateFocus{};
    bool duplicateOpensArchive = false;

    QString attachMode{};  // the attach window's mode word; empty: none
    HelpPage help = HelpPage::Generale;
    QString documentField{}; // the document field of btnSfoglia, btnApri, imgCancella01
    QString mailField{};     // the address of btnEmail

    // The printed card of cmdStampa: printed at once, or from the print
    // window of that class name with its introduction.
    CardPrint print{};
    QString printWindow{};
    QString printIntro{};
};

// The values of a new card on `today`: every control empty (a check box
// "No") but those the card gives a value; the controls a new card keeps as
// they are are left out.
CardValues blankValues(const CardSpec &desc, const QDate &today);
// What Duplica leaves of a card on `today`: the controls it resets back to
// their new-card value, lblPosizione empty, the rest as it was.
CardValues duplicatedValues(const CardSpec &desc, const CardValues &values, const QDate &today);

// The record a card's values make: every record field from its control,
// trimmed and cut to its capacity (a check box's "Sì" or "No").
Record recordFromValues(const CardSpec &desc, const CardValues &values);
// The values record `number` gives the card's controls, with lblPosizione;
// a check box shows "Sì" ticked and anything else unticked.
CardValues valuesFromRecord(const CardSpec &desc, const RecordView &record, int number);

class CardWindow : public FullScreenWindow {
    Q_OBJECT
public:
    explicit CardWindow(CardSpec desc, QWidget *parent = nullptr);
    ~CardWindow() override;
    const CardSpec &desc() const { return m_spec; }

    // The card's contents, as the controls hold them.
    CardValues values() const;
    // Writes the controls named in `values`.
    void setValues(const CardValues &values);
    // A control's text, trimmed; writing one as setControlText does.
    QString text(const QString &control) const;
    void setText(const QString &control, const QString &text);
    // The record shown, 0 for a new card.
    int position() const;
    void setPosition(int number);
    // The archive the card works on; empty when it is not known (a yearly
    // card before a year was opened).
    QString archivePath() const;

    // The commands every card has.
    void newCard();
    void save();
    void browse(Browse command);
    void duplicate();
    void attachFiles();
    void chooseDocument();
    void openDocument();
    void clearDocument();
    void sendMail();
    void showHelpPage();
    void printShown();
    // Runs the command of that name as its picture does.
    void run(const QString &command);

    // The card as a record, and a record put onto the card as `number`.
    Record cardRecord() const;
    void showRecord(const RecordView &record, int number);
    void showRecord(const Record &record, int number) { showRecord(record.view(), number); }

    QLabel *status() const { return m_status; }
    InputConventions *conventions() const { return m_conventions; }
    // The panel holding the command bar, the body and the status line.
    QWidget *cardPanel() const { return m_cardPanel; }
    // Opens the date picker for a date field.
    void pickDate(const QString &control);

public Q_SLOTS:
    // After a list wrote values into the controls: long texts show from
    // their beginning, boxes with no list entry selected.
    void recordHandedOver();

protected:
    void showEvent(QShowEvent *event) override;
    // Each showing from a menu: by default a new card and the status line
    // at rest.
    virtual void cardShown();
    // Called before a save writes, after the checks passed; false stops it.
    virtual bool confirmSave(const CardValues &values);
    // Called under the archive's append lock with the number the new record
    // gets, before it is written: a card whose record depends on where it
    // lands completes it here.
    virtual void completeAppend(Record &record, int number);
    // The message of a completed save.
    virtual QString savedText(bool appended);

private:
    void build();
    QWidget *buildBar();
    QWidget *buildBody();
    QWidget *makeControl(const QString &name, QWidget *parent, QString *caption);
    QWidget *makeField(const CardField &f, QWidget *parent);
    QWidget *makeCommand(const CardCommand &c, QWidget *parent);
    void connectCommands();
    const CardField *fieldFor(const QString &control) const;
    // Opens the card's archive (a missing one is created empty); throws
    // ArchiveError, also when the card has no archive yet.
    void openArchive(RecordFile &file, RecordFile::Access access) const;

    CardSpec m_spec;
    QWidget *m_cardPanel = nullptr;
    QLabel *m_position = nullptr;
    QLabel *m_status = nullptr;
    InputConventions *m_conventions = nullptr;
    QHash<QString, QWidget *> m_controls;
};

// The card window a control belongs to (the control or one of its parents).
CardWindow *cardOf(QWidget *w);

} // namespace pratelia::kit
