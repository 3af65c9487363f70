#pragma once
// The two combo boxes of the cards: a list that also takes free typing, and
// a list whose value must be one of its entries (typing refused).
#include <QComboBox>
#include <QStringList>

namespace pratelia::kit {

// A combo box with a list that also takes free typing: no list entry is
// selected when it takes the focus, so the text stays as typed or loaded.
class ListBox : public QComboBox {
    Q_OBJECT
public:
    ListBox(const QStringList &items, QWidget *parent);

protected:
    void focusInEvent(QFocusEvent *event) override;
};

// A combo box whose value is chosen from its list. Typing is refused;
// Backspace or Delete empty it; the keys that open and walk the list, the
// arrows and Tab work. A text that is not an entry of the list (pasted, or
// loaded from a damaged record) is emptied when the box is left; entries
// are compared as they are, or without regard to case when asked.
class ChoiceBox : public ListBox {
    Q_OBJECT
public:
    ChoiceBox(const QStringList &items, QWidget *parent,
              Qt::CaseSensitivity matching = Qt::CaseSensitive);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    Qt::CaseSensitivity m_matching;
};

} // namespace pratelia::kit
