#include "identifiers.h"

#include <array>

namespace pratelia::checks {

namespace {

Verdict valid(const QString &text)
{
    return {Outcome::Valid, MessageKind::Information, text};
}

Verdict wrong(const QString &text)
{
    return {Outcome::Wrong, MessageKind::Warning, text};
}

Verdict needsCorrection(const QString &text)
{
    return {Outcome::NeedsCorrection, MessageKind::Warning, text};
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiUpper(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

} // namespace

QString upperLatin(QStringView text)
{
    QString up = text.toString();
    for (QChar &c : up)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return up;
}

// --- Tax code ---------------------------------------------------------------

QChar taxCodeCheckCharacter(QStringView code)
{
    // Value of a character in an odd position (1st, 3rd, ...); digits share
    // the values of the letters A to J.
    static constexpr std::array<int, 26> oddValue{
        1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    if (code.size() < 15)
        return {};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = code[i];
        int index;
        if (isAsciiDigit(c))
            index = c.unicode() - u'0';
        else if (isAsciiUpper(c))
            index = c.unicode() - u'A';
        else
            return {};
        // Positions count from 1: index 0 is the first, an odd position.
        sum += (i % 2 == 0) ? oddValue[index] : index;
    }
    return QChar(u'A' + sum % 26);
}

Verdict checkTaxCode(const QString &text)
{
    const QString code = upperLatin(text);
    if (code.size() != 16)
        return needsCorrection(QStringLiteral(
            "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
    const QChar check = taxCodeCheckCharacter(code);
    if (!check.isNull() && check == code[15])
        return valid(QStringLiteral("Il codice fiscale digitato è VALIDO."));
    return wrong(QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
}

// --- VAT number -------------------------------------------------------------

int vatCheckDigit(QStringView number)
{
    if (number.size() < 10)
        return -1;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        if (!isAsciiDigit(number[i]))
            return -1;
        int d = number[i].unicode() - u'0';
        if (i % 2 == 1) { // 2nd, 4th, ... 10th position
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return (10 - sum % 10) % 10;
}

QString vatOfficeName(QStringView code)
{
    // Offices 001 to 102 in order, then the two offices numbered 120 and 121.
    static const char *const offices[] = {
        "Torino", "Vercelli", "Novara", "Cuneo", "Asti", "Alessandria", "Aosta", "Imperia",
        "Savona", "Genova 1", "La Spezia", "Varese", "Como", "Sondrio", "Milano 1", "Bergamo",
        "Brescia 1", "Pavia", "Cremona", "Mantova", "Bolzano", "Trento", "Verona", "Vicenza",
        "Belluno", "Treviso", "Venezia", "Padova", "Rovigo", "Udine", "Gorizia", "Trieste",
        "Piacenza", "Parma", "Reggio Emilia", "Modena", "Bologna 1", "Ferrara", "Ravenna",
        "Forlì", "Pesaro", "Ancona", "Macerata", "Ascoli Piceno", "Massa Carrara", "Lucca",
        "Pistoia", "Firenze 1", "Livorno", "Pisa", "Arezzo", "Siena", "Grosseto", "Perugia",
        "Terni", "Viterbo", "Rieti", "Roma 1", "Latina", "Frosinone", "Caserta", "Benevento",
        "Napoli 1", "Avellino", "Salerno", "Aquila", "Teramo", "Pescara", "Chieti",
        "Campobasso", "Foggia", "Bari", "Taranto", "Brindisi", "Lecce", "Potenza", "Matera",
        "Cosenza", "Catanzaro", "Reggio Calabria", "Trapani", "Palermo", "Messina",
        "Agrigento", "Caltanissetta", "Enna", "Catania", "Ragusa", "Siracusa", "Sassari",
        "Nuoro", "Cagliari", "Pordenone", "Isernia", "Oristano", "Monza (Milano 2)",
        "Prato (Firenze 2)", "Brescia 2", "Chiavari (Genova 2)", "Roma 2", "Bologna 2",
        "Napoli 2"};
    constexpr int kLastNumbered = int(std::size(offices)); // 102
    if (code.size() != 3)
        return {};
    for (QChar c : code)
        if (!isAsciiDigit(c))
            return {};
    const int n = code.toInt();
    if (n >= 1 && n <= kLastNumbered)
        return QString::fromUtf8(offices[n - 1]);
    if (n == 120)
        return QStringLiteral("Bologna 2");
    if (n == 121)
        return QStringLiteral("Napoli 2");
    return {};
}

Verdict checkVatNumber(const QString &text)
{
    if (text.size() != 11)
        return needsCorrection(QStringLiteral(
            "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
    const int check = vatCheckDigit(text);
    if (check < 0 || !isAsciiDigit(text[10]) || text[10].unicode() - u'0' != check)
        return wrong(QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!")
                     + verdictBreak()
                     + QStringLiteral("Non è quindi possibile fornire informazioni relative "
                                      "all'Ufficio IVA che lo ha rilasciato."));
    const QString code = text.mid(7, 3);
    const QString office = vatOfficeName(code);
    const QString first = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.");
    if (office.isEmpty())
        return valid(first + verdictBreak()
                     + QStringLiteral("Il codice %1 dell'Ufficio IVA che lo ha rilasciato non "
                                      "corrisponde però a nessun ufficio conosciuto.")
                           .arg(code));
    return valid(first + verdictBreak()
                 + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") + office
                 + u'.');
}

// --- IBAN -------------------------------------------------------------------

bool ibanCheckDigitsHold(QStringView text)
{
    QString s = upperLatin(text);
    s.remove(u' ');
    const int tag = s.indexOf(QLatin1String("IBAN"));
    if (tag >= 0)
        s.remove(tag, 4);
    // Too short to hold a country code, check digits and an account.
    if (s.size() < 5)
        return false;
    s = s.mid(4) + s.left(4);
    // Digit by digit: the same remainder as reducing nine digits at a time.
    int remainder = 0;
    const auto feed = [&remainder](int digit) { remainder = (remainder * 10 + digit) % 97; };
    for (QChar c : std::as_const(s)) {
        if (isAsciiDigit(c)) {
            feed(c.unicode() - u'0');
        } else if (isAsciiUpper(c)) {
            const int value = c.unicode() - u'A' + 10;
            feed(value / 10);
            feed(value % 10);
        } else {
            return false;
        }
    }
    return remainder == 1;
}

Verdict checkIban(const QString &text)
{
    const QString iban = text.trimmed();
    if (iban.size() != 27)
        return needsCorrection(QStringLiteral(
            "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."));
    if (ibanCheckDigitsHold(iban))
        return valid(QStringLiteral("L'IBAN digitato è VALIDO."));
    return wrong(QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"));
}

// --- Payment card -----------------------------------------------------------

int luhnCheckDigit(QStringView digits)
{
    int sum = 0;
    // From the digit just left of the last one, every second digit doubled.
    bool doubled = true;
    for (qsizetype i = digits.size() - 2; i >= 0; --i) {
        int d = digits[i].unicode() - u'0';
        if (doubled) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
        doubled = !doubled;
    }
    return (10 - sum % 10) % 10;
}

QString cardDigits(QStringView text)
{
    QString digits;
    for (QChar c : text.left(20))
        if (isAsciiDigit(c))
            digits += c;
    return digits;
}

CardFamily cardCheck(QStringView text)
{
    const QString digits = cardDigits(text);
    if (digits.isEmpty() || digits.back().unicode() - u'0' != luhnCheckDigit(digits))
        return CardFamily::Wrong;
    switch (digits.front().unicode()) {
    case u'3': return CardFamily::Three;
    case u'4': return CardFamily::Four;
    case u'5': return CardFamily::Five;
    case u'6': return CardFamily::Six;
    default: return CardFamily::Wrong;
    }
}

QString cardType(CardFamily family, QStringView text)
{
    switch (family) {
    case CardFamily::Four: return QStringLiteral("Visa");
    case CardFamily::Five: return QStringLiteral("MasterCard");
    case CardFamily::Six: return QStringLiteral("Discover");
    case CardFamily::Wrong: return {};
    case CardFamily::Three: break;
    }
    const QStringView prefix = text.left(2);
    for (const char *p : {"30", "36", "38"})
        if (prefix == QLatin1String(p))
            return QStringLiteral("Diner's Club / Carte Blanche");
    for (const char *p : {"34", "37"})
        if (prefix == QLatin1String(p))
            return QStringLiteral("American Express");
    for (const char *p : {"31", "33", "35"})
        if (prefix == QLatin1String(p))
            return QStringLiteral("JCB");
    return {};
}

Verdict checkCard(const QString &text)
{
    const QString number = text.trimmed();
    if (number.isEmpty())
        return needsCorrection(QStringLiteral("Attenzione: immettere il numero di carta di credito "
                                              "prima di premere il pulsante di controllo."));
    const CardFamily family = cardCheck(number);
    if (family == CardFamily::Wrong)
        return wrong(QStringLiteral("Attenzione: il numero digitato risulta ERRATO!") + verdictBreak()
                     + QStringLiteral("Non è quindi possibile fornire informazioni relative al "
                                      "tipo di carta di credito."));
    const QString first =
        QStringLiteral("Il numero di carta di credito ") + number + QStringLiteral(" risulta valido.");
    const QString type = cardType(family, number);
    // A number of the family 3 whose second character names no known type
    // is still valid: say so rather than leave the user without an answer.
    if (type.isEmpty())
        return valid(first + verdictBreak()
                     + QStringLiteral("Il tipo di carta di credito non è stato riconosciuto."));
    return valid(first + verdictBreak() + QStringLiteral("La carta di credito è del tipo ") + type
                 + u'.');
}

} // namespace pratelia::checks
