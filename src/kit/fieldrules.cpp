#include "fieldrules.h"

#include "store/record.h"
#include "store/values.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

namespace pratelia::kit {

bool digitsKeyPasses(int key, QStringView text)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left
        || key == Qt::Key_Right)
        return true;
    return text.size() == 1 && text[0] >= u'0' && text[0] <= u'9';
}

bool amountKeyPasses(int key, QStringView text)
{
    return digitsKeyPasses(key, text) || (text.size() == 1 && text[0] == u',');
}

namespace {

bool allowed(unsigned input, QChar c)
{
    if (c >= u'0' && c <= u'9')
        return true;
    return (input & Amount) && c == u',';
}

} // namespace

std::optional<EditResult> acceptEdit(const FieldRules &rules, const QString &before,
                                     const QString &after, int cursor, bool typed)
{
    // The edit replaced before[prefix, before.size() - suffix) with
    // after[prefix, cursor): the part after the cursor is what followed the
    // change, so it is the common tail.
    cursor = std::clamp(cursor, 0, int(after.size()));
    int suffix = int(after.size()) - cursor;
    if (suffix > before.size() || !before.endsWith(QStringView(after).mid(cursor))) {
        suffix = 0;
        while (suffix < before.size() && suffix < after.size()
               && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
            ++suffix;
    }
    int prefix = 0;
    const int prefixMax = std::min<int>(before.size() - suffix, after.size() - suffix);
    while (prefix < prefixMax && before[prefix] == after[prefix])
        ++prefix;
    QString inserted = after.mid(prefix, after.size() - suffix - prefix);
    const int kept = prefix + suffix; // characters of `before` the edit left

    if (rules.input & (DigitsOnly | Amount)) {
        const bool something = !inserted.isEmpty();
        inserted.removeIf([&](QChar c) { return !allowed(rules.input, c); });
        // Nothing of it would have passed the filter: as a swallowed key,
        // it changes nothing (not even the selection it replaced).
        if (something && inserted.isEmpty())
            return EditResult{before, int(before.size()) - suffix};
    }
    if (rules.typingLimit > 0 && kept + inserted.size() > rules.typingLimit)
        inserted.truncate(std::max(0, rules.typingLimit - kept));

    EditResult result;
    result.text = before.left(prefix) + inserted + before.right(suffix);
    result.cursor = prefix + int(inserted.size());
    if ((rules.input & Amount) && !typed && result.text.count(u',') > 1)
        return std::nullopt;
    if (rules.input & UpperTyped) {
        // Only the letters a-z change, as the archives have always stored them.
        for (QChar &c : result.text)
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - 32);
    }
    if (rules.input & TrimTyped) {
        const QString trimmed = trimText(result.text);
        if (trimmed != result.text) {
            const int lead = trimmed.isEmpty() ? int(result.text.size())
                                               : int(result.text.indexOf(trimmed));
            result.cursor = std::clamp(result.cursor - lead, 0, int(trimmed.size()));
            result.text = trimmed;
        }
    }
    return result;
}

namespace {

// Holds a field's rules: filters its keys, applies acceptEdit to every
// change the user makes (keys, paste, drop, the context menu) and
// normalises an amount when the focus leaves.
class FieldGuard : public QObject {
public:
    FieldGuard(QLineEdit *field, const FieldRules &rules)
        : QObject(field), m_field(field), m_rules(rules), m_before(field->text())
    {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this] { edited(); });
        // Read from the field, not from the signal: after an edit was
        // corrected the signal still carries the uncorrected text.
        connect(field, &QLineEdit::textChanged, this, [this] { m_before = m_field->text(); });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut && (m_rules.input & Amount)) {
            const QString normal = NormaliseMoneyText(m_field->text());
            if (normal != m_field->text())
                m_field->setText(normal);
            return false;
        }
        if (!(m_rules.input & (DigitsOnly | Amount | TrimTyped)))
            return false;
        // Pasted and dropped text is filtered (or trimmed) before the
        // field's maximum length cuts it, so that "a1b2c3" gives the three
        // digits and " RSSMRA80A01H501U " the whole tax code.
        if (event->type() == QEvent::Drop && !m_field->isReadOnly()) {
            auto *de = static_cast<QDropEvent *>(event);
            if (de->mimeData()->hasText()) {
                m_field->setCursorPosition(m_field->cursorPositionAt(de->position().toPoint()));
                insertFiltered(de->mimeData()->text());
                de->acceptProposedAction();
                return true;
            }
            return false;
        }
        if (event->type() == QEvent::ContextMenu) {
            QPointer<QMenu> menu = m_field->createStandardContextMenu();
            if (QAction *paste = pasteAction(menu)) {
                disconnect(paste, &QAction::triggered, nullptr, nullptr);
                connect(paste, &QAction::triggered, this, [this] { pasteFiltered(); });
            }
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)
            return false; // the Enter chain has its own say
        if (ke->matches(QKeySequence::Paste)) {
            if (!m_field->isReadOnly())
                pasteFiltered();
            return true;
        }
        if (!(m_rules.input & (DigitsOnly | Amount)))
            return false;
        if (ke->matches(QKeySequence::Copy) || ke->matches(QKeySequence::Cut)
            || ke->matches(QKeySequence::SelectAll) || ke->matches(QKeySequence::Undo)
            || ke->matches(QKeySequence::Redo))
            return false; // what they put into the field is checked as an edit
        const bool passes = (m_rules.input & Amount) ? amountKeyPasses(ke->key(), ke->text())
                                                     : digitsKeyPasses(ke->key(), ke->text());
        m_typedKey = passes && ke->text().size() == 1 ? ke->text() : QString();
        return !passes;
    }

private:
    // The standard menu's Paste: named so in newer toolkits, and in every
    // language the one entry that shows the paste shortcut.
    static QAction *pasteAction(QMenu *menu)
    {
        const QString shortcut =
            QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction *a : menu->actions())
            if (a->objectName() == QLatin1String("edit-paste") || a->text().endsWith(shortcut))
                return a;
        return nullptr;
    }

    void pasteFiltered() { insertFiltered(QApplication::clipboard()->text()); }

    void insertFiltered(QString text)
    {
        if (m_rules.input & (DigitsOnly | Amount)) {
            const bool something = !text.isEmpty();
            text.removeIf([&](QChar c) { return !allowed(m_rules.input, c); });
            if (something && text.isEmpty())
                return; // nothing of it passes: as a swallowed key
        }
        if (m_rules.input & TrimTyped)
            text = trimText(text);
        m_field->insert(text);
    }

    void edited()
    {
        const QString after = m_field->text();
        // The key that just passed the filter, if this change is that key
        // inserted (not a paste or a drop).
        const bool typed = !m_typedKey.isEmpty() && after.size() >= 1
                           && m_field->cursorPosition() >= 1
                           && after.mid(m_field->cursorPosition() - 1, 1) == m_typedKey;
        m_typedKey.clear();
        const auto result = acceptEdit(m_rules, m_before, after, m_field->cursorPosition(), typed);
        if (!result) {
            const int at = std::min<int>(m_field->cursorPosition(), m_before.size());
            m_field->setText(m_before);
            m_field->setCursorPosition(at);
            return;
        }
        if (result->text != after) {
            m_field->setText(result->text);
            m_field->setCursorPosition(result->cursor);
        }
    }

    QLineEdit *m_field;
    FieldRules m_rules;
    QString m_before;
    QString m_typedKey;
};

} // namespace

void installFieldRules(QLineEdit *field, const FieldRules &rules)
{
    if (rules.input & Amount)
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    new FieldGuard(field, rules);
}

} // namespace pratelia::kit
