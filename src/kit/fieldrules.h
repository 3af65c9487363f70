#pragma once
// What an edit field lets the user put into it, whether typed, pasted or
// dropped: the key filters, the characters a digits or amount field holds,
// the typing limit, upper-casing and trimming while typing, and the amount
// normalised when the user leaves the field.
#include <QString>
#include <optional>

class QComboBox;
class QLineEdit;

namespace pratelia::kit {

enum FieldInput : unsigned {
    Plain = 0,
    TrimTyped = 1u << 0,  // blanks at either end are removed after each change
    UpperTyped = 1u << 1, // letters a-z become A-Z after each change
    DigitsOnly = 1u << 2, // digits filter; pasted text keeps only its digits
    Amount = 1u << 3,     // amount filter (digits and one comma); normalised on leaving
};

struct FieldRules {
    unsigned input = Plain;
    // Characters the user may type or paste (0: no limit besides the
    // field's own maximum length). Texts the program puts there (a loaded
    // record, a normalised amount) may be longer and stay whole.
    int typingLimit = 0;
};

// The key filters: whether a key press passes. Backspace, Delete, Left and
// Right always pass; a digit passes; the amount filter also lets the comma
// through; every other key is swallowed.
bool digitsKeyPasses(int key, QStringView text);
bool amountKeyPasses(int key, QStringView text);

// What a change made by the user leaves in a field: `before` is the text
// it held, `after` the text the edit made and `cursor` the cursor after it.
// Characters the field's filter would have swallowed are left out of what
// was inserted (an insertion of which nothing passes changes nothing), the
// insertion is cut to the typing limit, then upper-casing and trimming
// apply. An amount that a paste or a drop would make unreadable (a second
// comma) refuses the change: no result. A single key that passed the
// filter (`typed`) is let in as it is: an amount typed wrong is put right
// when the user leaves the field, as it always was.
struct EditResult {
    QString text;
    int cursor = 0;
};
std::optional<EditResult> acceptEdit(const FieldRules &rules, const QString &before,
                                     const QString &after, int cursor, bool typed = false);

// Gives an edit field its rules: the key filter of its kind, the same rules
// for every change by the user (acceptEdit), and for amounts the right
// alignment and NormaliseMoneyText when the focus leaves it.
void installFieldRules(QLineEdit *field, const FieldRules &rules);

} // namespace pratelia::kit
