// pratelia-cli check: the window's message on standard output, and the exit
// code telling a valid number (0), a wrong one (1) and a text to correct (3).
#include "support/tempfolder.h"

#include <QTest>

using namespace pratelia::testing;

class TestCheckCli : public QObject {
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::newRow("tax code valid") << QStringList{"cf", "RSSMRA85T10A562S"} << 0
                                        << "Il codice fiscale digitato è VALIDO.\n";
        QTest::newRow("tax code lower case") << QStringList{"cf", "rssmra85t10a562s"} << 0
                                             << "Il codice fiscale digitato è VALIDO.\n";
        QTest::newRow("tax code wrong") << QStringList{"cf", "RSSMRA85T10A562T"} << 1
                                        << "Attenzione: il codice fiscale digitato è ERRATO.\n";
        QTest::newRow("tax code too long")
            << QStringList{"cf", "RSSMRA85T10A562SS"} << 3
            << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.\n";
        QTest::newRow("VAT valid, two lines")
            << QStringList{"iva", "12345670405"} << 0
            << "Il numero di partita IVA digitato risulta VALIDO.\n\n"
               "E' stato rilasciato dall'Ufficio IVA del Comune di Forlì.\n";
        QTest::newRow("VAT wrong") << QStringList{"iva", "12345670406"} << 1
                                   << "Attenzione: il numero di partita IVA digitato risulta "
                                      "ERRATO!\n\nNon è quindi possibile fornire informazioni "
                                      "relative all'Ufficio IVA che lo ha rilasciato.\n";
        QTest::newRow("VAT 10 digits")
            << QStringList{"iva", "1234567040"} << 3
            << "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.\n";
        QTest::newRow("IBAN valid") << QStringList{"iban", "IT60X0542811101000000123456"} << 0
                                    << "L'IBAN digitato è VALIDO.\n";
        QTest::newRow("IBAN punctuation") << QStringList{"iban", "IT60X0542811101000000123.56"} << 1
                                          << "Attenzione: l'IBAN digitato è ERRATO!\n";
        QTest::newRow("IBAN of another length")
            << QStringList{"iban", "GB82WEST12345698765432"} << 3
            << "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.\n";
        QTest::newRow("card in separate groups")
            << QStringList{"carta", "4111", "1111", "1111", "1111"} << 0
            << "Il numero di carta di credito 4111 1111 1111 1111 risulta valido.\n\n"
               "La carta di credito è del tipo Visa.\n";
        QTest::newRow("card of unknown type")
            << QStringList{"carta", "39111111111118"} << 0
            << "Il numero di carta di credito 39111111111118 risulta valido.\n\n"
               "Il tipo di carta di credito non è stato riconosciuto.\n";
        QTest::newRow("card begins with 9")
            << QStringList{"carta", "91111111111113"} << 1
            << "Attenzione: il numero digitato risulta ERRATO!\n\n"
               "Non è quindi possibile fornire informazioni relative al tipo di carta di credito.\n";
        QTest::newRow("card blank")
            << QStringList{"carta", "  "} << 3
            << "Attenzione: immettere il numero di carta di credito prima di premere il pulsante "
               "di controllo.\n";
        QTest::newRow("unknown check") << QStringList{"isbn", "123"} << 2 << "";
        QTest::newRow("no text") << QStringList{"cf"} << 2 << "";
        QTest::newRow("nothing") << QStringList{} << 2 << "";
    }
    void check()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        TempProgramFolder folder;
        const CliResult r = runCli(QStringList{"check"} + args);
        QCOMPARE(r.out, out);
        QCOMPARE(r.exitCode, exitCode);
        if (exitCode == 2)
            QVERIFY(r.err.contains(QStringLiteral("uso:")));
    }
};

QTEST_APPLESS_MAIN(TestCheckCli)
#include "test_check_cli.moc"
