// The four identifier checks on real numbers: valid ones, one character
// changed, wrong lengths, lower case, punctuation, and the exact messages.
#include "checks/identifiers.h"

#include <QTest>

using namespace pratelia;
using namespace pratelia::checks;

Q_DECLARE_METATYPE(pratelia::checks::Outcome)

namespace {
const QString kBreak = QStringLiteral("\r\n\r\n");

const QString kCfLength =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString kCfValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString kCfWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");

const QString kIvaLength =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kIvaValid = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.") + kBreak
    + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di %1.");
const QString kIvaWrong = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!")
    + kBreak
    + QStringLiteral("Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo "
                     "ha rilasciato.");

const QString kIbanLength =
    QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
const QString kIbanValid = QStringLiteral("L'IBAN digitato è VALIDO.");
const QString kIbanWrong = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");

const QString kCardBlank = QStringLiteral(
    "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.");
const QString kCardWrong = QStringLiteral("Attenzione: il numero digitato risulta ERRATO!") + kBreak
    + QStringLiteral("Non è quindi possibile fornire informazioni relative al tipo di carta di credito.");
QString cardValid(const QString &number, const QString &type)
{
    return QStringLiteral("Il numero di carta di credito ") + number
        + QStringLiteral(" risulta valido.") + kBreak
        + QStringLiteral("La carta di credito è del tipo ") + type + u'.';
}

MessageKind kindFor(Outcome o)
{
    return o == Outcome::Valid ? MessageKind::Information : MessageKind::Warning;
}

void addColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("message");
}

void compareVerdict(const Verdict &v)
{
    QFETCH(Outcome, outcome);
    QFETCH(QString, message);
    QCOMPARE(v.outcome, outcome);
    QCOMPARE(v.kind, kindFor(outcome));
    QCOMPARE(v.text, message);
    QCOMPARE(v.keepsDialogOpen(), outcome == Outcome::NeedsCorrection);
}
} // namespace

class TestIdentifiers : public QObject {
    Q_OBJECT
private slots:
    void taxCode_data()
    {
        addColumns();
        // Published examples and codes worked out by hand from the tables.
        QTest::newRow("published example") << "MRTMTT25D09F205Z" << Outcome::Valid << kCfValid;
        QTest::newRow("Rossi Mario 1979") << "RSSMRA79B11C566R" << Outcome::Valid << kCfValid;
        QTest::newRow("Rossi Mario 1985") << "RSSMRA85T10A562S" << Outcome::Valid << kCfValid;
        QTest::newRow("woman, day + 40") << "BNCLRA90A41F205I" << Outcome::Valid << kCfValid;
        QTest::newRow("every odd value") << "KWZJYX01P23G447X" << Outcome::Valid << kCfValid;
        QTest::newRow("other letters") << "OQVUWH77E09L219W" << Outcome::Valid << kCfValid;
        QTest::newRow("letters backwards") << "ZYXWVU34R45D678W" << Outcome::Valid << kCfValid;
        QTest::newRow("lower case") << "rssmra85t10a562s" << Outcome::Valid << kCfValid;
        QTest::newRow("mixed case") << "RssMra85T10a562S" << Outcome::Valid << kCfValid;
        // A letter standing for a digit (2 -> N) changes the check character.
        QTest::newRow("substituted digit") << "RSSMRA85T10A56NH" << Outcome::Valid << kCfValid;
        QTest::newRow("substituted, old check") << "RSSMRA85T10A56NS" << Outcome::Wrong << kCfWrong;
        QTest::newRow("last letter changed") << "RSSMRA85T10A562T" << Outcome::Wrong << kCfWrong;
        QTest::newRow("one digit changed") << "RSSMRA86T10A562S" << Outcome::Wrong << kCfWrong;
        QTest::newRow("two letters swapped") << "SRSMRA85T10A562S" << Outcome::Wrong << kCfWrong;
        QTest::newRow("blank inside") << "RSSMRA85 10A562S" << Outcome::Wrong << kCfWrong;
        QTest::newRow("punctuation at the end") << "RSSMRA85T10A562." << Outcome::Wrong << kCfWrong;
        QTest::newRow("accented letter") << "RSSMRÀ85T10A562S" << Outcome::Wrong << kCfWrong;
        QTest::newRow("15 characters") << "RSSMRA85T10A562" << Outcome::NeedsCorrection << kCfLength;
        QTest::newRow("17 characters") << "RSSMRA85T10A562SX" << Outcome::NeedsCorrection << kCfLength;
        QTest::newRow("empty") << "" << Outcome::NeedsCorrection << kCfLength;
    }
    void taxCode()
    {
        QFETCH(QString, text);
        compareVerdict(checkTaxCode(text));
    }

    void taxCodeCheckCharacter_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QChar>("expected");
        QTest::newRow("fifteen characters") << "MRTMTT25D09F205" << QChar(u'Z');
        QTest::newRow("only the first 15 count") << "MRTMTT25D09F205Q" << QChar(u'Z');
        QTest::newRow("all zeros") << "000000000000000" << QChar(u'I'); // 8 x 1
        QTest::newRow("all A") << "AAAAAAAAAAAAAAA" << QChar(u'I');    // 8 x 1
        QTest::newRow("too short") << "MRTMTT25D09F20" << QChar();
        QTest::newRow("lower case is not converted here") << "mrtmtt25d09f205" << QChar();
        QTest::newRow("symbol") << "MRTMTT25D09F20*" << QChar();
    }
    void taxCodeCheckCharacter()
    {
        QFETCH(QString, code);
        QFETCH(QChar, expected);
        QCOMPARE(checks::taxCodeCheckCharacter(code), expected);
    }

    void vatNumber_data()
    {
        addColumns();
        QTest::newRow("office 001") << "12345670017" << Outcome::Valid << kIvaValid.arg("Torino");
        QTest::newRow("office 040, accented name")
            << "12345670405" << Outcome::Valid << kIvaValid.arg("Forlì");
        QTest::newRow("office 058") << "09876540585" << Outcome::Valid << kIvaValid.arg("Roma 1");
        QTest::newRow("office 090") << "12345670900" << Outcome::Valid << kIvaValid.arg("Sassari");
        QTest::newRow("office 096")
            << "00000000968" << Outcome::Valid << kIvaValid.arg("Monza (Milano 2)");
        QTest::newRow("office 101") << "12345671015" << Outcome::Valid << kIvaValid.arg("Bologna 2");
        QTest::newRow("office 120") << "00000001206" << Outcome::Valid << kIvaValid.arg("Bologna 2");
        QTest::newRow("office 121") << "55555551211" << Outcome::Valid << kIvaValid.arg("Napoli 2");
        const QString unknown = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.")
            + kBreak
            + QStringLiteral("Il codice %1 dell'Ufficio IVA che lo ha rilasciato non corrisponde "
                             "però a nessun ufficio conosciuto.");
        QTest::newRow("office 000 unknown") << "12345670009" << Outcome::Valid << unknown.arg("000");
        QTest::newRow("office 103 unknown") << "12345671031" << Outcome::Valid << unknown.arg("103");
        QTest::newRow("office 789 unknown") << "01234567897" << Outcome::Valid << unknown.arg("789");
        QTest::newRow("last digit one more") << "00000001207" << Outcome::Wrong << kIvaWrong;
        QTest::newRow("last digit one less") << "12345670016" << Outcome::Wrong << kIvaWrong;
        QTest::newRow("first digit changed") << "22345670017" << Outcome::Wrong << kIvaWrong;
        QTest::newRow("two digits swapped") << "21345670017" << Outcome::Wrong << kIvaWrong;
        QTest::newRow("letter inside") << "1234567A017" << Outcome::Wrong << kIvaWrong;
        QTest::newRow("letter last") << "0000000120A" << Outcome::Wrong << kIvaWrong;
        QTest::newRow("blank inside") << "12345 70017" << Outcome::Wrong << kIvaWrong;
        QTest::newRow("10 digits") << "1234567001" << Outcome::NeedsCorrection << kIvaLength;
        QTest::newRow("12 digits") << "123456700170" << Outcome::NeedsCorrection << kIvaLength;
        QTest::newRow("empty") << "" << Outcome::NeedsCorrection << kIvaLength;
    }
    void vatNumber()
    {
        QFETCH(QString, text);
        compareVerdict(checkVatNumber(text));
    }

    void vatOffices_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("office");
        QTest::newRow("first") << "001" << "Torino";
        QTest::newRow("010") << "010" << "Genova 1";
        QTest::newRow("035") << "035" << "Reggio Emilia";
        QTest::newRow("066") << "066" << "Aquila";
        QTest::newRow("080") << "080" << "Reggio Calabria";
        QTest::newRow("093") << "093" << "Pordenone";
        QTest::newRow("095") << "095" << "Oristano";
        QTest::newRow("097") << "097" << "Prato (Firenze 2)";
        QTest::newRow("098") << "098" << "Brescia 2";
        QTest::newRow("099") << "099" << "Chiavari (Genova 2)";
        QTest::newRow("100") << "100" << "Roma 2";
        QTest::newRow("102") << "102" << "Napoli 2";
        QTest::newRow("000") << "000" << "";
        QTest::newRow("103") << "103" << "";
        QTest::newRow("119") << "119" << "";
        QTest::newRow("122") << "122" << "";
        QTest::newRow("999") << "999" << "";
        QTest::newRow("not digits") << "1 2" << "";
        QTest::newRow("two digits") << "12" << "";
    }
    void vatOffices()
    {
        QFETCH(QString, code);
        QFETCH(QString, office);
        QCOMPARE(vatOfficeName(code), office);
    }

    void iban_data()
    {
        addColumns();
        QTest::newRow("Italian example") << "IT60X0542811101000000123456" << Outcome::Valid << kIbanValid;
        QTest::newRow("lower case") << "it60x0542811101000000123456" << Outcome::Valid << kIbanValid;
        QTest::newRow("blanks around") << "  IT60X0542811101000000123456 " << Outcome::Valid
                                       << kIbanValid;
        // Another country's 23 characters after the word IBAN make 27.
        QTest::newRow("word IBAN in front") << "IBANZZ871234567890123456789" << Outcome::Valid
                                            << kIbanValid;
        QTest::newRow("adjacent digits swapped")
            << "IT60X0542811101000000123465" << Outcome::Wrong << kIbanWrong;
        QTest::newRow("one digit changed")
            << "IT60X0542811101000000123457" << Outcome::Wrong << kIbanWrong;
        QTest::newRow("check digits changed")
            << "IT61X0542811101000000123456" << Outcome::Wrong << kIbanWrong;
        QTest::newRow("CIN changed") << "IT60Y0542811101000000123456" << Outcome::Wrong << kIbanWrong;
        QTest::newRow("punctuation") << "IT60X0542811101000000123.56" << Outcome::Wrong << kIbanWrong;
        QTest::newRow("accented letter")
            << "IT60X0542811101000000123È56" << Outcome::Wrong << kIbanWrong;
        // With the blanks gone only "01" would be left, whose remainder is 1.
        QTest::newRow("almost all blanks")
            << "0                         1" << Outcome::Wrong << kIbanWrong;
        QTest::newRow("British IBAN, 22") << "GB82WEST12345698765432" << Outcome::NeedsCorrection
                                          << kIbanLength;
        QTest::newRow("26 characters") << "IT60X054281110100000012345" << Outcome::NeedsCorrection
                                       << kIbanLength;
        QTest::newRow("28 characters") << "IT60X05428111010000001234560" << Outcome::NeedsCorrection
                                       << kIbanLength;
        QTest::newRow("written in groups") << "IT60 X054 2811 1010 0000 0123 456"
                                           << Outcome::NeedsCorrection << kIbanLength;
        QTest::newRow("empty") << "" << Outcome::NeedsCorrection << kIbanLength;
    }
    void iban()
    {
        QFETCH(QString, text);
        compareVerdict(checkIban(text));
    }

    void card_data()
    {
        addColumns();
        // Well-known test numbers of each family; all pass the Luhn rule.
        QTest::newRow("Visa") << "4111111111111111" << Outcome::Valid
                              << cardValid("4111111111111111", "Visa");
        QTest::newRow("Visa 13 digits") << "4222222222222" << Outcome::Valid
                                        << cardValid("4222222222222", "Visa");
        QTest::newRow("MasterCard") << "5555555555554444" << Outcome::Valid
                                    << cardValid("5555555555554444", "MasterCard");
        QTest::newRow("Discover") << "6011111111111117" << Outcome::Valid
                                  << cardValid("6011111111111117", "Discover");
        QTest::newRow("American Express") << "378282246310005" << Outcome::Valid
                                          << cardValid("378282246310005", "American Express");
        QTest::newRow("Diners 30") << "30569309025904" << Outcome::Valid
                                   << cardValid("30569309025904", "Diner's Club / Carte Blanche");
        QTest::newRow("JCB 35") << "3530111333300000" << Outcome::Valid
                                << cardValid("3530111333300000", "JCB");
        QTest::newRow("in groups") << "4111 1111 1111 1111" << Outcome::Valid
                                   << cardValid("4111 1111 1111 1111", "Visa");
        QTest::newRow("with dashes") << "5555-5555-5555-4444" << Outcome::Valid
                                     << cardValid("5555-5555-5555-4444", "MasterCard");
        // Only the first 20 characters count: the last four digits would
        // make the whole number fail.
        QTest::newRow("24 digits") << "411111111111111111159999" << Outcome::Valid
                                   << cardValid("411111111111111111159999", "Visa");
        QTest::newRow("24 digits, 20th wrong") << "411111111111111111169999" << Outcome::Wrong
                                               << kCardWrong;
        QTest::newRow("groups past 20 characters") << "4111 1111 1111 1111 2"
                                                   << Outcome::Valid
                                                   << cardValid("4111 1111 1111 1111 2", "Visa");
        const QString unknownType = QStringLiteral("Il numero di carta di credito %1 risulta valido.")
            + kBreak + QStringLiteral("Il tipo di carta di credito non è stato riconosciuto.");
        QTest::newRow("3 then 2") << "32111111111115" << Outcome::Valid << unknownType.arg("32111111111115");
        QTest::newRow("3 then 9") << "39111111111118" << Outcome::Valid << unknownType.arg("39111111111118");
        QTest::newRow("3 then blank") << "3 2111111111115" << Outcome::Valid
                                      << unknownType.arg("3 2111111111115");
        QTest::newRow("Visa last digit changed") << "4111111111111112" << Outcome::Wrong << kCardWrong;
        QTest::newRow("MasterCard digit changed") << "5555555555564444" << Outcome::Wrong << kCardWrong;
        QTest::newRow("Luhn right, begins with 2") << "21111111111118" << Outcome::Wrong << kCardWrong;
        QTest::newRow("Luhn right, begins with 9") << "91111111111113" << Outcome::Wrong << kCardWrong;
        QTest::newRow("single zero") << "0" << Outcome::Wrong << kCardWrong;
        QTest::newRow("no digits") << "ABCD" << Outcome::Wrong << kCardWrong;
        QTest::newRow("blank") << "   " << Outcome::NeedsCorrection << kCardBlank;
        QTest::newRow("empty") << "" << Outcome::NeedsCorrection << kCardBlank;
    }
    void card()
    {
        QFETCH(QString, text);
        compareVerdict(checkCard(text));
    }

    void luhn_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("check");
        QTest::newRow("Visa") << "4111111111111111" << 1;
        QTest::newRow("doubled over 9") << "79927398713" << 3; // classic worked example
        QTest::newRow("one digit") << "7" << 0;
        QTest::newRow("none") << "" << 0;
        QTest::newRow("two digits") << "91" << 1; // 9 doubled is 18, counts 9
    }
    void luhn()
    {
        QFETCH(QString, digits);
        QFETCH(int, check);
        QCOMPARE(luhnCheckDigit(digits), check);
    }
};

QTEST_APPLESS_MAIN(TestIdentifiers)
#include "test_identifiers.moc"
