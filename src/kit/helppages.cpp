// Titles and texts of the help pages.
#include "help.h"

#include <QStringList>

namespace pratelia::kit {

namespace {

QString paragraphs(const QStringList &list)
{
    return list.join(QStringLiteral("\r\n\r\n"));
}

// The three paragraphs every export page shares; `what` names the data
// ("i dati di tutti i clienti").
QStringList exportParagraphs(const QString &what)
{
    return {
        QStringLiteral("Il pulsante Esporta archivio consente di esportare ") + what
            + QStringLiteral(" in un foglio di lavoro di Microsoft Excel, che potrà essere aperto con "
                             "qualsiasi software in grado di gestire i file in formato XLS (ad esempio, "
                             "con Open Office, Libre Office o Microsoft Office)."),
        QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic "
                       "sull'icona di Excel. Questa operazione crea in tempo reale un file in"
                       " formato XLS contenente le schede in archivio, che potrà essere aperto "
                       "immediatamente rispondendo affermativamente al messaggio di domanda che appare."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso "
                       "assegnandogli un nome qualsiasi."),
    };
}

QStringList anagrafica()
{
    return {
        QStringLiteral(
            "L'applicazione Anagrafica Clienti raccoglie in un unico archivio i dati dei clienti dello "
            "studio. Una volta registrato, un cliente può essere importato con un clic nelle schede delle "
            "altre applicazioni (tariffario, registro servizi, scadenze e riepilogo compensi), senza dover "
            "riscrivere ogni volta nome, codice fiscale e partita IVA. L'archivio funziona anche come una "
            "rubrica elettronica: dalla scheda si può scrivere un messaggio di posta elettronica al cliente "
            "e controllare la correttezza dei suoi codici identificativi."),
        QStringLiteral(
            "La scheda raccoglie i dati anagrafici (cognome, nome, sesso, data, comune e provincia di "
            "nascita, stato civile, familiari a carico, titolo di studio e professione), l'indirizzo di "
            "residenza, i dati fiscali (codice fiscale, partita IVA e denominazione della ditta), i recapiti "
            "(recapito preferenziale, telefono di casa, cellulare e ufficio, PEC ed e-mail), le coordinate "
            "bancarie (IBAN, intestatario del conto e banca), la carta di credito con la sua scadenza, il "
            "documento di riconoscimento (tipo, numero, ente, data di rilascio e di scadenza), il codice "
            "cliente e la categoria scelti dallo studio, i prodotti e servizi di interesse, le modalità di "
            "pagamento e uno spazio libero per le note."),
        QStringLiteral(
            "Per ogni cliente si può annotare un acquisto a rate: il bene o il servizio acquistato, la data "
            "di decorrenza, la data della prossima scadenza, i giorni di preavviso, l'importo totale, il "
            "frazionamento e l'importo della rata. Il pulsante "
            "delle rate scadute mostra il riepilogo delle rate in scadenza o già scadute, tenendo conto "
            "dei giorni di preavviso di ciascuna; facendo doppio clic su una riga si torna alla scheda "
            "del cliente."),
        QStringLiteral(
            "Ogni scheda salvata può avere una propria cartella sul disco, creata e aperta dal pulsante "
            "Cartella, nella quale conservare qualsiasi documento del cliente. Il pulsante File consente "
            "inoltre di allegare alla scheda fino a tre file, che vengono copiati nella cartella dei "
            "documenti allegati del programma e si aprono con un clic."),
        QStringLiteral(
            "Per registrare un nuovo cliente si preme il pulsante Nuovo, si compilano i campi e si preme "
            "Salva. Per salvare la scheda sono obbligatori i campi «Cognome», «Nome», «Data decorrenza», "
            "«Prossima scadenza» e «Giorni di preavviso»; la prossima scadenza non può essere anteriore "
            "alla data di decorrenza. Una nuova scheda propone già la data di oggi nelle due date e 0 "
            "giorni di preavviso, perciò per un cliente senza acquisto a rate bastano cognome e nome. Per "
            "modificare una scheda già in archivio la si richiama con la ricerca oppure scorrendo "
            "l'archivio con le frecce, si correggono i dati e si preme di nuovo Salva."),
        QStringLiteral(
            "I pulsanti di controllo accanto ai campi verificano il codice fiscale, la partita IVA, l'IBAN "
            "e il numero della carta di credito. Quando la partita IVA è valida viene indicato anche "
            "l'ufficio provinciale che l'ha rilasciata. Il pulsante accanto all'indirizzo e-mail apre il "
            "programma di posta con un nuovo messaggio indirizzato al cliente."),
        QStringLiteral(
            "La ricerca trova i clienti anche con chiavi parziali (una parte del cognome, del codice "
            "fiscale o della denominazione della ditta) e con diversi filtri combinabili; i risultati "
            "possono essere stampati. L'intero archivio può essere esportato in un foglio di Microsoft "
            "Excel e ogni scheda può essere stampata."),
    };
}

QStringList tariffario()
{
    return {
        QStringLiteral(
            "L'applicazione Tariffario Servizi è il listino dei servizi offerti dallo studio. Per ogni "
            "servizio si indicano una tariffa ordinaria e una tariffa scontata, che vengono richiamate "
            "con un clic durante la compilazione del registro dei servizi e delle scadenze."),
        QStringLiteral(
            "La scheda di un servizio contiene il codice, la tipologia, la descrizione, le due tariffe e le "
            "spese accessorie, la persona addetta con il suo codice fiscale, telefono ed e-mail, le note "
            "pratiche per il cliente (uffici interessati, requisiti necessari, documenti richiesti, "
            "modalità di pagamento e tempi occorrenti), le note e il modulo di richiesta del servizio."),
        QStringLiteral(
            "Spuntando la casella della tariffa scontata si segnala che al servizio si applica lo sconto. "
            "Il pulsante con la mano che regge una moneta mostra l'elenco di tutti i servizi con tariffa "
            "scontata; un doppio clic su una riga riporta il servizio nella scheda."),
        QStringLiteral(
            "A ogni servizio si può abbinare il file del modulo di richiesta, che si apre con un clic, e "
            "fino a tre file allegati, copiati nella cartella dei documenti allegati del programma."),
        QStringLiteral(
            "La persona addetta, con i suoi recapiti, può essere ripresa dall'anagrafica: il suo nome "
            "viene importato dall'archivio dei clienti con il pulsante con la freccia rossa, senza "
            "riscriverne i dati, e il suo codice fiscale può essere verificato con il pulsante di "
            "controllo."),
        QStringLiteral(
            "Per registrare un nuovo servizio si preme Nuovo, si compilano i campi e si preme Salva. Per "
            "salvare la scheda sono obbligatori i campi «Codice ID servizio», «Tipologia», «Descrizione», "
            "«Tariffa ordinaria» e «Tariffa scontata». Per modificare un servizio lo si richiama con la "
            "ricerca o con le frecce, si correggono i dati e si preme Salva."),
        QStringLiteral(
            "Il pulsante Duplica prepara una nuova scheda con gli stessi dati di quella visualizzata: "
            "basta cambiare ciò che serve e salvare. È il modo più rapido per registrare servizi simili."),
        QStringLiteral(
            "La ricerca trova i servizi anche con chiavi parziali e con diversi filtri, per codice, "
            "tipologia, descrizione o persona addetta."),
        QStringLiteral(
            "L'intero tariffario può essere esportato in un foglio di Microsoft Excel e ogni scheda può "
            "essere stampata."),
    };
}

QStringList scadenzario()
{
    return {
        QStringLiteral(
            "L'applicazione Scadenze e Appuntamenti tiene l'agenda dello studio: scadenze giornaliere, "
            "mensili o annuali, pagamenti da effettuare o da riscuotere e appuntamenti, con un avviso "
            "quando si avvicinano. Per ogni giorno si possono registrare quante scadenze si vuole, che "
            "vengono sempre mostrate in ordine di data e di ora."),
        QStringLiteral(
            "Per registrare una nuova scadenza si preme Nuovo e si compilano i campi; per poterla salvare "
            "servono il giorno e il mese, l'ora e i minuti, i giorni di preavviso, il cognome e nome del "
            "cliente e la causale della scadenza. Le schede salvate si modificano richiamandole e premendo "
            "di nuovo Salva."),
        QStringLiteral(
            "Il pulsante Duplica copia la scheda visualizzata in una nuova scheda: è comodo per le scadenze "
            "che si ripetono, per le quali basta cambiare la data e salvare."),
        QStringLiteral(
            "I giorni di preavviso stabiliscono con quanto anticipo una scadenza viene segnalata. Ogni "
            "volta che si apre la finestra, se ci sono scadenze imminenti il programma le segnala con un "
            "avviso visivo e sonoro."),
        QStringLiteral(
            "La casella degli appuntamenti da confermare contrassegna gli impegni ancora in attesa di "
            "conferma; il relativo riepilogo li elenca tutti."),
        QStringLiteral(
            "La casella dei pagamenti effettuati indica che un pagamento è stato eseguito. Due riepiloghi "
            "elencano i pagamenti ancora da effettuare e quelli già effettuati."),
        QStringLiteral(
            "La ricerca trova le scadenze e gli appuntamenti anche con chiavi parziali, per cliente o per "
            "causale."),
        QStringLiteral(
            "Sotto il calendario due pulsanti elencano le scadenze del giorno o del mese selezionato, "
            "mentre il pulsante OK elenca quelle imminenti."),
        QStringLiteral(
            "L'archivio delle scadenze e degli appuntamenti di un anno può essere esportato in un foglio "
            "di Microsoft Excel, così come ognuno degli elenchi."),
    };
}

QStringList servizi()
{
    return {
        QStringLiteral(
            "L'applicazione Registro Servizi conserva, anno per anno, la storia dei servizi resi ai clienti "
            "e dei compensi maturati. Ogni anno ha un proprio archivio, che si apre scrivendo l'anno e "
            "premendo Apri."),
        QStringLiteral(
            "La scheda di un servizio riporta il codice, la tipologia e la descrizione del servizio, la "
            "tariffa, le modalità di pagamento, i dati del cliente (cognome e nome, codice fiscale, "
            "denominazione della ditta e partita IVA), le date di richiesta e di espletamento, lo stato di "
            "avanzamento, gli uffici contattati, i documenti prodotti, le questioni in sospeso, le note e "
            "la fattura rilasciata al cliente. Le date si scelgono dal calendario, che si apre premendo un "
            "tasto qualsiasi nel campo della data; i tasti Canc e Backspace la cancellano."),
        QStringLiteral(
            "I dati del servizio si importano dal tariffario con i due pulsanti accanto al codice: la "
            "freccia rossa riporta il servizio con la tariffa ordinaria, la mano che regge una moneta con "
            "la tariffa scontata."),
        QStringLiteral(
            "Il cliente si importa dall'archivio dell'anagrafica clienti con la freccia rossa accanto al "
            "suo nome, senza riscriverne i dati; il codice fiscale e la partita IVA possono essere "
            "verificati con i pulsanti di controllo."),
        QStringLiteral(
            "A ogni servizio si può abbinare il file della fattura, che si apre con un clic, e fino a tre "
            "file allegati, copiati nella cartella dei documenti allegati del programma."),
        QStringLiteral(
            "Dopo aver scelto l'anno, il pulsante Nuovo prepara una scheda vuota; compilati i campi, Salva "
            "la registra nell'archivio dell'anno. Per salvare la scheda sono obbligatori i campi «Codice ID "
            "servizio», «Tipologia», «Descrizione», «Tariffa», «Data richiesta», «Cognome e nome cliente» "
            "e «Codice fiscale». Per modificare una scheda la si richiama con la ricerca o con le frecce, "
            "si correggono i dati e si preme di nuovo Salva."),
        QStringLiteral(
            "Il pulsante Duplica copia la scheda visualizzata in una nuova scheda con la data di richiesta "
            "di oggi, senza fattura né allegati: è utile per registrare di nuovo lo stesso servizio."),
        QStringLiteral(
            "La ricerca trova i servizi dell'anno anche con chiavi parziali e con diversi filtri, per "
            "codice, tipologia, descrizione, cliente, ditta o stato di avanzamento."),
        QStringLiteral(
            "La casella Pagato indica che il cliente ha saldato il compenso. Il pulsante con il segno di "
            "spunta mostra il riepilogo dei servizi non ancora saldati; un doppio clic su una riga riporta "
            "il servizio nella scheda, dove basta spuntare la casella e salvare."),
        QStringLiteral(
            "Il registro dell'anno può essere esportato in un foglio di Microsoft Excel e ogni scheda può "
            "essere stampata."),
    };
}

QStringList riepCosti()
{
    return {
        QStringLiteral(
            "L'applicazione Riepilogo Compensi prepara il prospetto dei compensi maturati in un periodo "
            "qualsiasi, filtrati per codice fiscale del cliente e/o per tipologia di servizio."),
        QStringLiteral(
            "Per ottenerlo si sceglie l'anno, si impostano i filtri desiderati, si indicano la data "
            "iniziale e la data finale del periodo (riferite alla data di richiesta dei servizi) e si "
            "preme il pulsante Visualizza riepilogo."),
        QStringLiteral(
            "Il prospetto elenca i servizi che rispondono ai criteri, con il loro compenso, e ne calcola "
            "il totale complessivo."),
        QStringLiteral(
            "Lasciando vuoti i filtri si ottiene il riepilogo di tutti i clienti e di tutti i servizi. Il "
            "prospetto può essere stampato."),
    };
}

QStringList protocollo()
{
    return {
        QStringLiteral(
            "L'applicazione Protocollo Documenti registra i documenti in entrata, in uscita e interni dello "
            "studio. Ogni anno ha un proprio archivio, che si apre scrivendo l'anno e premendo Apri."),
        QStringLiteral(
            "Il pulsante Nuovo prepara una scheda con il numero di protocollo successivo all'ultimo "
            "registrato e con la data di registrazione di oggi."),
        QStringLiteral(
            "Compilati i campi, Salva registra il documento nell'archivio dell'anno. Per salvare la scheda "
            "sono obbligatori il numero di protocollo, la data di registrazione, la categoria, l'oggetto e "
            "la tipologia di posta (in entrata, in uscita o interna). Per modificare una scheda la si "
            "richiama con la ricerca o con le frecce, si correggono i dati e si preme di nuovo Salva."),
        QStringLiteral(
            "La scheda riporta il numero di protocollo e la data di registrazione, la tipologia di posta "
            "(in entrata, in uscita o interna), l'ufficio e l'operatore, la categoria e la collocazione "
            "del documento cartaceo, l'oggetto, le date di spedizione e di ricezione, il formato e il "
            "numero di pagine, i riferimenti, le note, il mittente e il destinatario con i loro recapiti."),
        QStringLiteral(
            "A ogni documento si può abbinare la sua copia digitale, che si apre con un clic, e fino a tre "
            "file allegati, copiati nella cartella dei documenti allegati del programma."),
        QStringLiteral(
            "Il riepilogo per intervallo di tempo elenca i documenti registrati tra due date e può essere "
            "esportato in un foglio di Microsoft Excel."),
        QStringLiteral(
            "La ricerca trova i documenti protocollati anche con chiavi parziali e con diversi filtri."),
        QStringLiteral(
            "Ogni scheda può essere stampata e il protocollo dell'anno può essere esportato in un foglio "
            "di Microsoft Excel."),
    };
}

QStringList generale()
{
    QStringList list{
        QStringLiteral(
            "Pratelia è il programma pensato per i piccoli studi professionali: commercialisti, consulenti "
            "del lavoro, studi tecnici, studi legali e tributari. Tiene in ordine, sul disco del computer, "
            "gli archivi di lavoro dello studio e li rende disponibili con pochi clic."),
        QStringLiteral(
            "Pratelia comprende sei applicazioni che collaborano tra loro: 1) l'anagrafica dei clienti, "
            "2) il tariffario dei servizi, 3) le scadenze e gli appuntamenti, 4) il registro dei servizi "
            "resi, 5) il riepilogo dei compensi e 6) il protocollo dei documenti."),
    };
    list << anagrafica() << tariffario() << scadenzario() << servizi() << riepCosti() << protocollo();
    list << QStringLiteral(
                "L'accesso al programma è protetto da una password, che può essere cambiata in qualsiasi "
                "momento con il pulsante Cambia password della finestra di accesso. Dopo l'installazione "
                "la password per il primo accesso è pratelia (le lettere possono essere scritte "
                "indifferentemente in maiuscolo o in minuscolo): è bene sostituirla subito con una "
                "password personale.")
         << QStringLiteral(
                "Gli archivi di Pratelia possono essere condivisi in una rete locale: basta mettere la "
                "cartella del programma in una cartella condivisa e avviarlo dai diversi computer; ogni "
                "postazione vede le modifiche salvate dalle altre alla sua operazione successiva.")
         << QStringLiteral(
                "Pratelia non richiede installazioni di sistema e funziona anche da una chiavetta USB: "
                "tutti i dati stanno nella cartella del programma, perciò copiare quella cartella è il modo "
                "più rapido per farne una copia di sicurezza.")
         << QStringLiteral(
                "Ogni finestra si usa allo stesso modo: i pulsanti a immagine descrivono la loro funzione "
                "nella barra in basso, il tasto Invio porta al campo successivo e il campo in cui si sta "
                "scrivendo è evidenziato in giallo. Bastano pochi minuti per prendere confidenza con il "
                "programma; per ogni dubbio la guida in linea è sempre a portata di clic.");
    return list;
}

} // namespace

QString helpTitle(HelpPage page)
{
    switch (page) {
    case HelpPage::Generale: return QStringLiteral("Uno sguardo a Pratelia.");
    case HelpPage::Anagrafica: return QStringLiteral("Applicazione Anagrafica Clienti.");
    case HelpPage::ExpClienti: return QStringLiteral("Esportazione archivio clienti in Microsoft Excel.");
    case HelpPage::Tariffario: return QStringLiteral("Applicazione Tariffario Servizi.");
    case HelpPage::ExpTariffario:
        return QStringLiteral("Esportazione tariffario servizi in Microsoft Excel.");
    case HelpPage::Servizi: return QStringLiteral("Applicazione Registro Servizi.");
    case HelpPage::ExpServizi: return QStringLiteral("Esportazione registro servizi in Microsoft Excel.");
    case HelpPage::Scadenzario: return QStringLiteral("Applicazione Scadenze e Appuntamenti.");
    case HelpPage::VisteScadenze: return QStringLiteral("Visualizzazione scadenze e appuntamenti.");
    case HelpPage::ExpScadenzario:
        return QStringLiteral("Esportazione archivio scadenze e appuntamenti in Microsoft Excel.");
    case HelpPage::RiepCosti: return QStringLiteral("Applicazione Riepilogo Compensi.");
    case HelpPage::Protocollo: return QStringLiteral("Applicazione Protocollo Documenti.");
    case HelpPage::ExpProtocollo:
        return QStringLiteral("Esportazione protocollo documenti in Microsoft Excel.");
    case HelpPage::RiepProtocollo: return QStringLiteral("Riepilogo protocollo per intervallo di tempo.");
    }
    return {};
}

QString helpBody(HelpPage page)
{
    switch (page) {
    case HelpPage::Generale: return paragraphs(generale());
    case HelpPage::Anagrafica: return paragraphs(anagrafica());
    case HelpPage::ExpClienti:
        return paragraphs(exportParagraphs(QStringLiteral("i dati di tutti i clienti")));
    case HelpPage::Tariffario: return paragraphs(tariffario());
    case HelpPage::ExpTariffario:
        return paragraphs(exportParagraphs(QStringLiteral("i dati di tutti i servizi del tariffario")));
    case HelpPage::Servizi: return paragraphs(servizi());
    case HelpPage::ExpServizi:
        return paragraphs(exportParagraphs(
            QStringLiteral("i dati di tutti i servizi registrati nel registro dell'anno aperto")));
    case HelpPage::Scadenzario: return paragraphs(scadenzario());
    case HelpPage::VisteScadenze:
        return paragraphs({
            QStringLiteral(
                "Il pulsante OK della finestra delle scadenze è attivo solo quando esistono scadenze o "
                "appuntamenti imminenti; premendolo si apre l'elenco delle scadenze imminenti."),
            QStringLiteral(
                "L'elenco tiene conto dei giorni di preavviso di ciascuna scheda: una scadenza vi compare "
                "da quando mancano tanti giorni quanti sono quelli di preavviso indicati."),
            QStringLiteral(
                "I due pulsanti sotto il calendario elencano le scadenze e gli appuntamenti del giorno "
                "selezionato oppure dell'intero mese selezionato."),
            QStringLiteral("Ogni elenco è ordinato per data e per ora."),
            QStringLiteral(
                "L'elenco visualizzato può essere esportato in un foglio di Microsoft Excel con l'icona di "
                "Excel e poi salvato sul disco con un nome qualsiasi."),
        });
    case HelpPage::ExpScadenzario:
        return paragraphs(exportParagraphs(
            QStringLiteral("tutte le scadenze e gli appuntamenti dell'anno solare aperto")));
    case HelpPage::RiepCosti: return paragraphs(riepCosti());
    case HelpPage::Protocollo: return paragraphs(protocollo());
    case HelpPage::ExpProtocollo:
        return paragraphs(exportParagraphs(
            QStringLiteral("i dati di tutti i documenti registrati nel protocollo dell'anno aperto")));
    case HelpPage::RiepProtocollo:
        return paragraphs({
            QStringLiteral(
                "Il riepilogo elenca i documenti registrati nel protocollo in un intervallo di tempo "
                "qualsiasi dell'anno aperto e consente di esportarli."),
            QStringLiteral(
                "L'intervallo si indica con la data di registrazione iniziale e quella finale; un clic "
                "sull'icona di Excel crea il file con i documenti dell'intervallo, che potrà essere aperto "
                "subito rispondendo affermativamente al messaggio di domanda."),
            QStringLiteral(
                "A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un "
                "nome qualsiasi."),
        });
    }
    return {};
}

} // namespace pratelia::kit
