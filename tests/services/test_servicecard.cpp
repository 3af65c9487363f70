// The service card's record side: record <-> card values, the paid flag's
// bytes, the checks before a save, Duplica and the rule of the unpaid list,
// as the card layer runs them on the service card's table.
#include "services/servicecard.h"
#include "store/values.h"

#include <QtTest>

using namespace pratelia;
using namespace pratelia::services;
using pratelia::kit::CardValues;

namespace {
const QDate kToday(2024, 5, 10);

CardValues blankCard()
{
    return kit::blankValues(serviceCardSpec(), kToday);
}

Record recordFromCard(const CardValues &c)
{
    return kit::recordFromValues(serviceCardSpec(), c);
}

CardValues filledCard()
{
    CardValues c = blankCard();
    c["txtID"] = "730-24";
    c["txtTipologia"] = "Assistenza fiscale";
    c["txtDescrizione"] = "Dichiarazione dei redditi";
    c["txtTariffa"] = "120,00";
    c["txtDataRic"] = "02/03/2024";
    c["txtDataEsp"] = "20/03/2024";
    c["txtCliente"] = "Rossi Mario";
    c["txtCodFisc"] = "RSSMRA80A01H501U";
    c["txtDitta"] = "Rossi S.r.l.";
    c["txtIva"] = "01234567897";
    c["txtNote"] = "urgente";
    c["txtCopia"] = "fattura-12.pdf";
    c["lblFile01"] = "ricevuta.pdf";
    c["lblDesc03"] = "delega";
    c["chkPagato"] = "Sì";
    c["lblPosizione"] = "4";
    return c;
}

QByteArray fieldBytes(const Record &r, const char *name)
{
    const Field &f = r.layout().field(r.layout().require(QString::fromLatin1(name)));
    return r.bytes().mid(f.offset, f.size());
}
} // namespace

class TestServiceCard : public QObject {
    Q_OBJECT
private slots:
    void paidFlagBytesAtTheirOffset_data()
    {
        QTest::addColumn<QString>("checkBox");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ticked") << "Sì" << QByteArray("\x02\x53\xEC", 3);
        QTest::newRow("unticked") << "No" << QByteArray("\x02\x4E\x6F", 3);
    }
    void paidFlagBytesAtTheirOffset()
    {
        QFETCH(QString, checkBox);
        QFETCH(QByteArray, bytes);
        CardValues c = filledCard();
        c["chkPagato"] = checkBox;
        const Record r = recordFromCard(c);
        QCOMPARE(r.bytes().size(), 3758);
        QCOMPARE(r.bytes().mid(2249, 3), bytes);
    }

    void newCardRecord()
    {
        // A new card saved as it is: today's request date, the fee 0,00,
        // no completion date (length byte 0) and not paid.
        const Record r = recordFromCard(blankCard());
        QCOMPARE(r.text(u"DataRic"), QString("10/05/2024"));
        QCOMPARE(fieldBytes(r, "DataRic").left(11), QByteArray("\x0A" "10/05/2024"));
        QCOMPARE(fieldBytes(r, "DataEsp"), QByteArray(11, '\0'));
        QCOMPARE(r.bytes().mid(350, 1), QByteArray(1, '\0'));
        QCOMPARE(r.text(u"Tariffa"), QString("0,00"));
        QCOMPARE(r.text(u"Pagato"), QString("No"));
        QCOMPARE(blankCard().value("lblPosizione"), QString());
    }

    void recordTrimsAndCuts()
    {
        CardValues c = filledCard();
        c["txtTipologia"] = "  Contabilità  ";
        c["txtDescrizione"] = QString(260, QChar(u'd'));
        c["txtCliente"] = QString(60, QChar(u'c'));
        c["lblDesc03"] = " ultimo allegato ";
        const Record r = recordFromCard(c);
        QCOMPARE(fieldBytes(r, "Tipologia").left(1), QByteArray("\x0B"));
        QCOMPARE(r.text(u"Tipologia"), QString("Contabilità"));
        QCOMPARE(r.text(u"Descrizione"), QString(250, QChar(u'd')));
        QCOMPARE(r.text(u"Cliente"), QString(50, QChar(u'c')));
        QCOMPARE(r.text(u"Desc03"), QString("ultimo allegato"));
    }

    void recordBackToTheCard()
    {
        const CardValues c = filledCard();
        const Record r = recordFromCard(c);
        const CardValues back = kit::valuesFromRecord(serviceCardSpec(), r.view(), 7);
        for (const kit::CardField &f : serviceCardSpec().fields)
            QCOMPARE(back.value(f.control), c.value(f.control));
        QCOMPARE(back.value("lblPosizione"), QString("7"));
    }

    void firstMissingField_data()
    {
        QTest::addColumn<QStringList>("blanked");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("message");
        const QString pre = "Attenzione: per salvare la scheda è necessario indicare ";
        QTest::newRow("code") << QStringList{"txtID"} << "txtID"
                              << pre + "il codice identificativo del servizio.";
        QTest::newRow("code before everything else")
            << QStringList{"txtCodFisc", "txtDataRic", "txtID"} << "txtID"
            << pre + "il codice identificativo del servizio.";
        QTest::newRow("type") << QStringList{"txtTipologia", "txtCliente"} << "txtTipologia"
                              << pre + "la tipologia di servizio.";
        QTest::newRow("description") << QStringList{"txtDescrizione"} << "txtDescrizione"
                                     << pre + "la descrizione del servizio.";
        QTest::newRow("fee") << QStringList{"txtTariffa", "txtDataRic"} << "txtTariffa"
                             << pre + "la tariffa.";
        QTest::newRow("request date") << QStringList{"txtDataRic", "txtCliente"} << "txtDataRic"
                                      << pre + "la data di richiesta del servizio.";
        // The caption speaks of surname and name; the message of the name.
        QTest::newRow("client") << QStringList{"txtCliente", "txtCodFisc"} << "txtCliente"
                                << pre + "il nome del cliente.";
        QTest::newRow("tax code") << QStringList{"txtCodFisc"} << "txtCodFisc"
                                  << pre + "il codice fiscale del cliente.";
        QTest::newRow("completion date and the rest are optional")
            << QStringList{"txtDataEsp", "txtPagamento", "txtDitta", "txtIva", "txtStato",
                           "txtUffici", "txtDocumenti", "txtQuestioni", "txtNote", "txtCopia"}
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
        const auto missing = kit::firstMissing(serviceCardSpec().mandatory, c);
        QCOMPARE(missing.has_value(), !control.isEmpty());
        if (missing) {
            QCOMPARE(missing->focus, control);
            QCOMPARE(missing->text, message);
            QCOMPARE(missing->kind, MessageKind::Warning);
        }
    }

    void duplicateIsANewRequestOfTheSameService()
    {
        const CardValues source = filledCard();
        const CardValues copy = kit::duplicatedValues(serviceCardSpec(), source, kToday);
        QCOMPARE(copy.value("txtDataRic"), QString("10/05/2024"));
        for (const char *emptied : {"txtCopia", "lblFile01", "lblFile02", "lblFile03", "lblDesc01",
                                    "lblDesc02", "lblDesc03", "lblPosizione"})
            QVERIFY2(copy.value(emptied).isEmpty(), emptied);
        for (const char *kept : {"txtID", "txtTipologia", "txtDescrizione", "txtTariffa",
                                 "txtDataEsp", "txtCliente", "txtCodFisc", "txtDitta", "txtIva",
                                 "txtNote", "chkPagato"})
            QCOMPARE(copy.value(kept), source.value(kept));
    }

    void unpaidRule_data()
    {
        QTest::addColumn<QByteArray>("stored"); // the flag's length byte and bytes
        QTest::addColumn<bool>("unpaid");
        QTest::newRow("No") << QByteArray("\x02No", 3) << true;
        QTest::newRow("Sì") << QByteArray("\x02S\xEC", 3) << false;
        QTest::newRow("no") << QByteArray("\x02no", 3) << false;
        QTest::newRow("NO") << QByteArray("\x02NO", 3) << false;
        QTest::newRow("empty") << QByteArray("\x00\x00\x00", 3) << false;
        QTest::newRow("N and a blank") << QByteArray("\x02N ", 3) << false;
        // A length byte beyond the capacity is cut to it: the text reads No.
        QTest::newRow("length over capacity") << QByteArray("\xFFNo", 3) << true;
    }
    void unpaidRule()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, unpaid);
        QByteArray bytes = recordFromCard(filledCard()).bytes();
        bytes.replace(2249, 3, stored);
        const Record r(layout(), bytes);
        QCOMPARE(isUnpaid(r.view()), unpaid);
    }
};

QTEST_MAIN(TestServiceCard)
#include "test_servicecard.moc"
