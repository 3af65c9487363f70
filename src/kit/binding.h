#pragma once
// Reading and writing a window's controls by object name: the one way the
// cards, the lists that hand records over, the date picker, the attach
// window and the prints reach a control they know by its name.
#include <QString>
#include <QVector>
#include <QWidget>

class QRadioButton;

namespace pratelia::kit {

// The two texts of a yes/no mark: "Sì" for a ticked box, "No" otherwise.
QString flagText(bool ticked);

// A row of radio buttons standing for one record field: the field holds
// the caption of the ticked button, or nothing when none is ticked.
class RadioChoice : public QWidget {
    Q_OBJECT
public:
    // `buttons`: object name and caption of each button ("optEntrata",
    // "In entrata").
    RadioChoice(const QString &objectName, const QVector<QPair<QString, QString>> &buttons,
                QWidget *parent);
    QString text() const;
    // Ticks the button whose caption is `text`; any other text leaves the
    // buttons as they are. Returns whether a button matched.
    bool setText(const QString &text);
    void clear();
    QVector<QRadioButton *> buttons() const { return m_buttons; }

private:
    QVector<QRadioButton *> m_buttons;
};

// The control of that name under `window` (or the window itself).
QWidget *findControl(const QWidget *window, const QString &name);

// The text a control holds: an edit field, combo box, text box or label its
// text, a check box "Sì" or "No", a row of radio buttons the caption of the
// ticked one. `found` (when given) tells whether the window has such a
// control; an unknown name gives an empty text.
QString controlText(const QWidget *window, const QString &name, bool *found = nullptr);

// Writes a text into the control of that name: an edit field, label, text
// box or combo box shows it (an edit field from its beginning, a combo box
// with no list entry selected); a check box is ticked by "Sì" and cleared by
// "No", and any other text leaves it as it is; radio buttons as
// RadioChoice::setText. Returns false when the window has no such control.
bool setControlText(QWidget *window, const QString &name, const QString &text);

} // namespace pratelia::kit
