// The fee card's record side: record <-> card values, the checks before a
// save, Duplica and the browse rule, as the card layer runs them on the fee
// card's table.
#include "fees/feecard.h"
#include "fees/tariffario.h"
#include "store/values.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::fees;
using pratelia::kit::CardValues;

Q_DECLARE_METATYPE(pratelia::fees::Browse)

namespace {
const QDate kToday(2024, 5, 10);

CardValues blankCard()
{
    return kit::blankValues(feeCardSpec(), kToday);
}

Record recordFromCard(const CardValues &c)
{
    return kit::recordFromValues(feeCardSpec(), c);
}

CardValues cardFromRecord(const RecordView &r, int number)
{
    return kit::valuesFromRecord(feeCardSpec(), r, number);
}

CardValues filledCard()
{
    CardValues c = blankCard();
    c["txtID"] = "ISEE-01";
    c["txtTipologia"] = "Assistenza fiscale";
    c["txtDescrizione"] = "Dichiarazione ISEE";
    c["txtOrdinaria"] = "50,00";
    c["txtScontata"] = "35,00";
    c["txtPersona"] = "Rossi Mario";
    c["txtCopia"] = "modulo.pdf";
    c["lblFile01"] = "allegato.pdf";
    c["lblDesc01"] = "Istruzioni";
    c["chkTarScontata"] = "Sì";
    c["lblPosizione"] = "4";
    return c;
}

QByteArray fieldBytes(const Record &r, const char *name)
{
    const Field &f = r.layout().field(r.layout().require(QString::fromLatin1(name)));
    return r.bytes().mid(f.offset, f.size());
}
} // namespace

class TestFeeCard : public QObject {
    Q_OBJECT
private slots:
    void flagBytesAtTheirOffset_data()
    {
        QTest::addColumn<QString>("checkBox");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ticked") << "Sì" << QByteArray("\x02\x53\xEC", 3);
        QTest::newRow("unticked") << "No" << QByteArray("\x02\x4E\x6F", 3);
    }
    void flagBytesAtTheirOffset()
    {
        QFETCH(QString, checkBox);
        QFETCH(QByteArray, bytes);
        CardValues c = filledCard();
        c["chkTarScontata"] = checkBox;
        const Record r = recordFromCard(c);
        QCOMPARE(r.bytes().size(), 4042);
        QCOMPARE(r.bytes().mid(2533, 3), bytes);
    }

    void recordTrimsCutsAndKeepsDefaultFees()
    {
        CardValues c = blankCard();
        c["txtTipologia"] = "  Contabilità  ";
        c["txtDescrizione"] = QString(260, QChar(u'd'));
        c["txtCodFisc"] = "RSSMRA80A01H501U";
        c["lblDesc03"] = "ultimo allegato";
        const Record r = recordFromCard(c);
        QCOMPARE(fieldBytes(r, "Tipologia").left(1), QByteArray("\x0B"));
        QCOMPARE(r.text(u"Tipologia"), QString("Contabilità"));
        QCOMPARE(r.text(u"Descrizione"), QString(250, QChar(u'd')));
        QCOMPARE(fieldBytes(r, "Ordinaria").left(5), QByteArray("\x04" "0,00"));
        QCOMPARE(r.text(u"Scontata"), QString("0,00"));
        QCOMPARE(r.text(u"Desc03"), QString("ultimo allegato"));
        QCOMPARE(r.text(u"TarScontata"), QString("No"));
    }

    void recordBackToTheCard()
    {
        const CardValues c = filledCard();
        const Record r = recordFromCard(c);
        const CardValues back = cardFromRecord(r.view(), 7);
        for (const kit::CardField &f : feeCardSpec().fields)
            QCOMPARE(back.value(f.control), c.value(f.control));
        QCOMPARE(back.value("lblPosizione"), QString("7"));
    }

    void flagOnTheCheckBox_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::addColumn<bool>("discounted");
        QTest::newRow("Sì ticks") << "Sì" << false << true << true;
        QTest::newRow("No clears") << "No" << true << false << false;
        // Anything else shows unticked, as on a new card: a box left ticked
        // from the card shown before would be saved with this one.
        QTest::newRow("damaged clears a ticked box") << "SI" << true << false << false;
        QTest::newRow("damaged stays clear") << "S" << false << false << false;
        QTest::newRow("empty clears a ticked box") << "" << true << false << false;
    }
    void flagOnTheCheckBox()
    {
        QFETCH(QString, stored);
        QFETCH(bool, before);
        QFETCH(bool, after);
        QFETCH(bool, discounted);
        Record r(layout());
        r.setText(u"TarScontata", stored);
        QCOMPARE(isDiscounted(r.view()), discounted);

        TfrmTariffario card;
        auto *box = card.findChild<QCheckBox *>("chkTarScontata");
        box->setChecked(before);
        card.showRecord(r, 1);
        QCOMPARE(box->isChecked(), after);
    }

    void duplicateKeepsTheServiceOnly()
    {
        const CardValues source = filledCard();
        const CardValues copy = kit::duplicatedValues(feeCardSpec(), source, kToday);
        for (const char *emptied : {"txtID", "txtCopia", "lblFile01", "lblDesc01", "lblPosizione"})
            QVERIFY2(copy.value(emptied).isEmpty(), emptied);
        for (const char *kept : {"txtTipologia", "txtDescrizione", "txtOrdinaria", "txtScontata",
                                 "txtPersona", "chkTarScontata"})
            QCOMPARE(copy.value(kept), source.value(kept));
    }

    void firstMissingField_data()
    {
        QTest::addColumn<QStringList>("blanked");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("message");
        const QString pre = "Attenzione: per salvare la scheda è necessario indicare ";
        QTest::newRow("blank code only") << QStringList{"txtID"} << "txtID"
                                         << pre + "il codice identificativo del servizio.";
        QTest::newRow("code before the rest")
            << QStringList{"txtScontata", "txtDescrizione", "txtID"} << "txtID"
            << pre + "il codice identificativo del servizio.";
        QTest::newRow("type") << QStringList{"txtTipologia", "txtOrdinaria"} << "txtTipologia"
                              << pre + "la tipologia di servizio.";
        QTest::newRow("description") << QStringList{"txtDescrizione"} << "txtDescrizione"
                                     << pre + "la descrizione del servizio.";
        QTest::newRow("ordinary fee") << QStringList{"txtOrdinaria", "txtScontata"}
                                      << "txtOrdinaria" << pre + "la tariffa ordinaria.";
        QTest::newRow("discounted fee") << QStringList{"txtScontata"} << "txtScontata"
                                        << pre + "la tariffa scontata.";
        QTest::newRow("optional fields blank")
            << QStringList{"txtSpese", "txtPersona", "txtCodFisc", "txtEmail", "txtNote"}
            << QString() << QString();
    }
    void firstMissingField()
    {
        QFETCH(QStringList, blanked);
        QFETCH(QString, control);
        QFETCH(QString, message);
        CardValues c = filledCard();
        for (const QString &b : blanked)
            c[b] = "   "; // blanks only count as empty
        const auto missing = kit::firstMissing(feeCardSpec().mandatory, c);
        QCOMPARE(missing.has_value(), !control.isEmpty());
        if (missing) {
            QCOMPARE(missing->focus, control);
            QCOMPARE(missing->text, message);
        }
    }

    void browseTarget_data()
    {
        QTest::addColumn<Browse>("command");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("target");
        for (Browse b : {Browse::First, Browse::Previous, Browse::Next, Browse::Last})
            QTest::addRow("empty archive %d", int(b)) << b << 0 << 0 << -1;
        QTest::newRow("next on a stale card, empty archive") << Browse::Next << 0 << 2 << -1;
        QTest::newRow("first from new") << Browse::First << 3 << 0 << 1;
        QTest::newRow("previous from new") << Browse::Previous << 3 << 0 << 1;
        QTest::newRow("next from new") << Browse::Next << 3 << 0 << 1;
        QTest::newRow("last from new") << Browse::Last << 3 << 0 << 3;
        QTest::newRow("next in the middle") << Browse::Next << 3 << 2 << 3;
        QTest::newRow("next on the last") << Browse::Next << 3 << 3 << 0;
        QTest::newRow("previous on the first") << Browse::Previous << 3 << 1 << 0;
        QTest::newRow("previous in the middle") << Browse::Previous << 3 << 3 << 2;
        QTest::newRow("first from the last") << Browse::First << 3 << 3 << 1;
        QTest::newRow("last from the first") << Browse::Last << 3 << 1 << 3;
        QTest::newRow("previous beyond a shrunk file") << Browse::Previous << 3 << 6 << 3;
        QTest::newRow("next beyond a shrunk file") << Browse::Next << 3 << 6 << 0;
    }
    void browseTarget()
    {
        QFETCH(Browse, command);
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(int, target);
        const BrowseOutcome out =
            browseOutcome(command, current, count, feeCardSpec().previousOnFirstIsSilent);
        QCOMPARE(out.emptyArchive ? -1 : out.load, target);
    }

    void limitsAreTheCapacities()
    {
        TfrmTariffario card;
        auto maxLength = [&](const char *name) { return card.findChild<QLineEdit *>(name)->maxLength(); };
        QCOMPARE(maxLength("txtID"), 20);
        QCOMPARE(maxLength("txtDescrizione"), 250);
        QCOMPARE(maxLength("txtOrdinaria"), 15);
        QCOMPARE(maxLength("txtCodFisc"), 16);
        QCOMPARE(maxLength("txtEmail"), 50);
        QStringList editFields;
        for (const kit::CardField &f : feeCardSpec().fields)
            if (f.kind == kit::FieldKind::Edit)
                editFields << f.control;
        QCOMPARE(editFields.size(), 17);
        QCOMPARE(editFields.last(), QString("txtCopia"));
    }
};

QTEST_MAIN(TestFeeCard)
#include "test_feecard.moc"
