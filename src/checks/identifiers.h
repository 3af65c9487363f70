#pragma once
// The four identifier checks without any window: Italian tax code, Italian
// VAT number, IBAN and payment card number. Each check gives a verdict that
// carries the message to show, so the check windows and the command line
// say exactly the same thing.
#include "platform/platform.h"

#include <QString>
#include <QStringView>

namespace pratelia::checks {

enum class Outcome {
    Valid,           // the number is right
    Wrong,           // the number is wrong
    NeedsCorrection, // the text cannot be checked yet: the window stays open
};

struct Verdict {
    Outcome outcome;
    MessageKind kind; // Information for a valid number, Warning otherwise
    QString text;     // the message, its line breaks as the window shows them
    bool keepsDialogOpen() const { return outcome == Outcome::NeedsCorrection; }
};

// The line break between the two parts of a verdict message.
inline QString verdictBreak() { return QStringLiteral("\r\n\r\n"); }

// Upper-cases the letters a to z only, so that the length never changes.
QString upperLatin(QStringView text);

// --- Tax code ---------------------------------------------------------------
// The check character computed from the first 15 characters (digits and
// letters A to Z in either position, letters standing for digits included);
// a null QChar when one of them is anything else or there are fewer than 15.
QChar taxCodeCheckCharacter(QStringView code);
// The verdict on the text of the tax code field.
Verdict checkTaxCode(const QString &text);

// --- VAT number -------------------------------------------------------------
// The check digit of the first ten digits, or -1 when they are not ten digits.
int vatCheckDigit(QStringView number);
// The name of the VAT office with that three-digit code; empty when the code
// is not one of the offices.
QString vatOfficeName(QStringView code);
Verdict checkVatNumber(const QString &text);

// --- IBAN -------------------------------------------------------------------
// The check-digit rule of the IBAN (remainder 1 modulo 97 after moving the
// first four characters to the end and writing letters as 10 to 35).
bool ibanCheckDigitsHold(QStringView text);
Verdict checkIban(const QString &text);

// --- Payment card -----------------------------------------------------------
// The result of the card check: the family given by the first digit of a
// number that passes the Luhn rule, or Wrong.
enum class CardFamily { Wrong, Three, Four, Five, Six };
// The Luhn check digit of a string of digits (everything but its last digit
// counts); 0 for fewer than two digits.
int luhnCheckDigit(QStringView digits);
// The digits among the first 20 characters of the text, in order.
QString cardDigits(QStringView text);
CardFamily cardCheck(QStringView text);
// The card type named by the family and the first two characters of the
// number as written; empty when no type matches.
QString cardType(CardFamily family, QStringView text);
Verdict checkCard(const QString &text);

} // namespace pratelia::checks
