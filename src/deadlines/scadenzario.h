#pragma once
// TfrmScadenzario: the deadlines and appointments application, one window
// with two faces. The start panel panAvvio, shown each time the window is
// shown, takes the year to open, signals imminent deadlines (a picture, the
// OK button that lists them and the alert sound) and lists the deadlines of
// a day or a month chosen on its calendar; the card panel panContainer, on
// the card layer, shows one card of the open year's archive at a time.
#include "kit/card.h"

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pratelia::deadlines {

class TfrmScadenzario : public kit::CardWindow {
    Q_OBJECT
public:
    explicit TfrmScadenzario(QWidget *parent = nullptr);

    QWidget *startPanel() const { return m_start; }
    bool showingCard() const;
    QLineEdit *yearEdit() const { return m_year; }
    QCalendarWidget *calendar() const { return m_calendar; }

    // Apri: opens the year typed on the card panel.
    void openChosenYear();
    // The imminent-deadline check: the pictures, OK and the alert sound.
    void checkImminent();
    // OK, and the two commands under the calendar.
    void showImminent();
    void showDay();
    void showMonth();

protected:
    // Each showing starts from the start panel, on the current year.
    void cardShown() override;

private:
    QWidget *buildStart();
    void showStart();
    void leave();

    QWidget *m_start = nullptr;
    QLineEdit *m_year = nullptr;
    QLabel *m_absent = nullptr;
    QLabel *m_present = nullptr;
    QPushButton *m_ok = nullptr;
    QCalendarWidget *m_calendar = nullptr;
};

// The alert sound "Avviso.mp3" in the program folder, or an empty text
// when it is not there as a plain file (a missing sound, or a link, which
// the program never follows in its folder, only loses the sound).
QString alertSound();

} // namespace pratelia::deadlines
