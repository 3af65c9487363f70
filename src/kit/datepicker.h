#pragma once
// The date picker TfrmCalendario: a month calendar, always opened on
// today, from which a date is taken into a date field of the window that
// opened it. Its mode word names the field.
#include "windows.h"

class QCalendarWidget;
class QLabel;

namespace pratelia::kit {

// The field a mode word fills ("dataric" -> "txtDataRic"); empty for a
// mode word the picker does not know. Mode words are compared as they are.
QString datePickerField(const QString &mode);

class TfrmCalendario : public DialogWindow {
    Q_OBJECT
public:
    TfrmCalendario(QWidget *opener, const QString &mode);
    QCalendarWidget *calendar() const { return m_calendar; }
    // Importa: writes the chosen date into the opener's field and closes;
    // with a mode word it does not know, nothing happens.
    void importDate();

private:
    QWidget *m_opener;
    QCalendarWidget *m_calendar;
    QLabel *m_memory;
};

// Opens a fresh picker over `opener` and waits until it closes.
void showDatePicker(QWidget *opener, const QString &mode);

} // namespace pratelia::kit
