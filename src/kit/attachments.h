#pragma once
// Documents kept with the cards: the attachments folder shared by every
// application, the rule that keeps a stored name inside it, the copy of a
// chosen document into it, the choose-and-copy step of every "Sfoglia..."
// button, and the attach window TfrmAllegaCartella shared by the cards.
#include <QString>
#include <optional>

class QWidget;

namespace pratelia::kit {

// Folder of the attached documents: "Documenti_Allegati" in the program
// folder.
QString attachmentsFolder();
// The full path of an attached document by its stored name; an empty text
// for a name that would lead outside that folder.
QString attachmentPath(const QString &storedName);

// Copies a document through the file layer: into a temporary file of its
// own beside the target first (created only if no file or link has its
// name), then over the target, so that a failed copy leaves an earlier
// document of that name as it was and a link planted under the target's
// name is replaced, never written through. False on any failure.
bool copyDocument(const QString &from, const QString &to);

// How many characters of a name the archive keeps (File01..File03, Copia).
inline constexpr int kAttachmentNameCapacity = 250;
// The name a chosen file is copied and stored under: its file name trimmed
// and composed (an accent kept as one character, not as a mark after it).
QString storedAttachmentName(const QString &fileName);
// Why a name cannot be stored as it is (characters the archive cannot keep,
// separators, or more than it keeps), as the warning the user sees; empty
// when it can.
QString attachmentNameProblem(const QString &name);
// The warning shown when a document could not be copied.
QString attachmentCopyFailedText();

// The overwrite question's line breaks: the attach window's question has
// a carriage return and a line feed between its parts, the cards' own
// document fields the program's usual line feed and carriage return.
enum class QuestionBreaks { CarriageReturnFirst, LineFeedFirst };

// The choose-and-copy step: shows the file chooser, then copies the chosen
// document into the attachments folder under its stored name, asking first
// when a document of that name is there already. Returns the name the
// card's field takes, or nothing when the field keeps what it held: the
// chooser was cancelled, the user kept the document already there, or the
// name cannot be stored or the copy failed (the user is told why).
std::optional<QString> chooseAttachment(QWidget *parent, QuestionBreaks breaks);

// Opens a fresh attach window in the given mode ("anagrafica",
// "tariffario", "servizi", "protocollo") over `card`, filled from the
// card's hidden labels lblFile01..lblFile03 and lblDesc01..lblDesc03;
// "Applica e chiudi" writes the values back into those labels.
void showAttachWindow(QWidget *card, const QString &mode);

} // namespace pratelia::kit
