#pragma once
// Checks and conversions on field values shared by every card, and the
// program's fixed date and number formats ("dd/mm/yyyy", comma decimals),
// which hold whatever the machine's regional settings.
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <optional>

namespace pratelia {

inline constexpr char kDateFormat[] = "dd/MM/yyyy";

// A calendar date written as day/month/year with a four-digit year (the
// day and month may have one digit).
bool IsValidDate(QStringView text);
// The date, or an invalid QDate.
QDate parseDate(QStringView text);
QString formatDate(const QDate &date);
// A date as an archive stores it (its bytes, trimmed) read by the same rule
// as parseDate, as a Julian day; none when it is not a date. For the lists
// and views that test the date of every card of an archive.
std::optional<qint64> storedDay(QByteArrayView text);
// A run of one to `most` ASCII digits as a number; -1 otherwise.
int storedDigits(QByteArrayView text, int most);

bool IsAllDigits(QStringView text);
QString LeftText(QStringView text, int n);
QString RightText(QStringView text, int n);
// n characters from the 1-based position `from`.
QString MidText(QStringView text, int from, int n);
double RoundDecimals(double value, int n);

// Comma-decimal numbers: "12,5" is twelve and a half. No thousands
// separators; a leading sign is allowed.
bool parseDecimal(QStringView text, double &value);
// The shortest decimal text of the value with a comma ("12,5", "12", "0,5").
QString formatDecimal(double value);

// What an amount field holds after the user leaves it: "12" -> "12,00",
// "0,5" -> "0,50", "1,23456" -> "1,2346", anything unreadable -> "0,00".
QString NormaliseMoneyText(QStringView text);

// Folder of the program and of its archives: the executable's folder, or
// PRATELIA_HOME when it is set. `ArchivePath(name)` is the file's full path.
QString programFolder();
QString ArchivePath(const QString &fileName);

} // namespace pratelia
