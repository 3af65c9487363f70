#include "datepicker.h"

#include "binding.h"

#include "platform/platform.h"
#include "store/values.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace pratelia::kit {

QString datePickerField(const QString &mode)
{
    static const QHash<QString, QString> fields = {
        {QStringLiteral("dataric"), QStringLiteral("txtDataRic")},
        {QStringLiteral("dataesp"), QStringLiteral("txtDataEsp")},
        {QStringLiteral("datareg"), QStringLiteral("txtDataReg")},
    };
    return fields.value(mode);
}

TfrmCalendario::TfrmCalendario(QWidget *opener, const QString &mode)
    : DialogWindow(QStringLiteral("TfrmCalendario"), QStringLiteral(" Importazione data"),
                   QSize(340, 330), opener),
      m_opener(opener)
{
    m_memory = new QLabel(mode, this);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();

    auto *caption = new QLabel(QStringLiteral("Importare una data:"), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calAppuntamenti"));
    m_calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Always today, whatever the field already holds.
    m_calendar->setSelectedDate(platform::clock().today());
    caption->setBuddy(m_calendar);

    auto *importa = new QPushButton(QStringLiteral("Importa"), this);
    importa->setObjectName(QStringLiteral("btnImportaData"));
    auto *annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    for (QPushButton *b : {importa, annulla}) {
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
    }
    importa->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(importa);
    buttons->addWidget(annulla);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 12, 14, 12);
    outer->setSpacing(8);
    outer->addWidget(caption);
    outer->addWidget(m_calendar, 1);
    outer->addLayout(buttons);

    connect(importa, &QPushButton::clicked, this, &TfrmCalendario::importDate);
    connect(m_calendar, &QCalendarWidget::activated, this, &TfrmCalendario::importDate);
    connect(annulla, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });
    m_calendar->setFocus();
}

void TfrmCalendario::importDate()
{
    const QString field = datePickerField(m_memory->text());
    if (field.isEmpty())
        return;
    setControlText(m_opener, field, formatDate(m_calendar->selectedDate()));
    closeWith(QDialog::Accepted);
}

void showDatePicker(QWidget *opener, const QString &mode)
{
    TfrmCalendario picker(opener, mode);
    picker.centre(opener);
    picker.exec();
}

} // namespace pratelia::kit
