#include "ui/Help.h"

#include <QStringList>

namespace {

QString paragraphs(const QStringList &list) { return list.join(QStringLiteral("\r\n\r\n")); }

} // namespace

namespace Help {

TopicText topic(Topic t)
{
    switch (t) {
    case Overview:
        return {
            QStringLiteral("Uno sguardo a Sorrisa"),
            paragraphs({
                QStringLiteral("Sorrisa è un software studiato per gestire i pazienti di uno studio dentistico "
                               "consentendo di archiviare i dati anagrafici, i recapiti, le prestazioni eseguite su "
                               "ogni singolo dente, le terapie dentali prescritte e l'anamnesi medica generale."),
                QStringLiteral(
                    "L'app Archivio Pazienti raccoglie una scheda per ogni paziente. Per registrare un nuovo paziente "
                    "si fa clic su Nuovo, si compilano i campi e si salva: il cognome e nome e il numero di cellulare "
                    "sono obbligatori. Il pulsante Duplica crea una nuova scheda partendo da una copia di quella "
                    "visualizzata. Nella scheda si annotano i dati anagrafici, l'indirizzo, i recapiti, il codice "
                    "fiscale e la partita IVA, la professione, le patologie, i farmaci assunti, le allergie, i "
                    "problemi dentali, la modalità e lo stato dei pagamenti, il dentista di riferimento, gli orari "
                    "preferiti per gli appuntamenti e le note."),
                QStringLiteral(
                    "Il pulsante Trova cerca i pazienti in archivio; due pulsanti controllano la correttezza del "
                    "codice fiscale e della partita IVA; il pulsante e-mail prepara un nuovo messaggio per il "
                    "paziente. Le questioni in sospeso con i pazienti si riepilogano in un elenco dedicato. A ogni "
                    "scheda si possono allegare fino a tre file con la loro descrizione e abbinare una cartella in cui "
                    "conservare radiografie, referti e documenti."),
                QStringLiteral(
                    "Lo stato dentale riporta, dente per dente, le condizioni e le prestazioni eseguite su ciascuno "
                    "dei 32 denti. Il riepilogo dei trattamenti registra per ogni paziente data, ora, trattamenti, "
                    "dentista e importo di ogni prestazione e ne calcola il totale. Le schede, lo stato dentale e i "
                    "riepiloghi si possono stampare e l'intero archivio si può esportare."),
                QStringLiteral(
                    "L'app Schedario Appuntamenti registra gli appuntamenti fissati con i pazienti. L'Agenda "
                    "Appuntamenti mostra all'apertura gli appuntamenti imminenti, con un messaggio e un avviso sonoro. "
                    "Il calendario e i due pulsanti sotto di esso riepilogano gli appuntamenti del giorno e del mese "
                    "scelti. Il preavviso, in giorni, stabilisce da quando un appuntamento è considerato imminente; "
                    "gli appuntamenti sono elencati in ordine cronologico."),
                QStringLiteral(
                    "Dall'agenda e dalla scheda dell'appuntamento si può inviare al paziente un promemoria o una "
                    "conferma tramite WhatsApp. Per salvare un appuntamento sono obbligatori la data, i giorni di "
                    "preavviso, i trattamenti, il cognome e nome e il cellulare del paziente. Il pulsante Duplica "
                    "aiuta a registrare gli appuntamenti ricorrenti; la ricerca avanzata trova gli appuntamenti "
                    "secondo più criteri. Quando un appuntamento è stato rispettato si spunta Impegno assolto e si "
                    "salva la scheda. Gli elenchi Assolti, Da assolvere e Scaduti riepilogano gli appuntamenti nei tre "
                    "stati; ogni elenco si può stampare e l'archivio degli appuntamenti si può esportare."),
                QStringLiteral("Ogni archivio può essere esportato in un file che si apre con qualsiasi programma di "
                               "fogli di calcolo."),
                QStringLiteral(
                    "Sorrisa funziona anche in una rete locale, condividendo la cartella che contiene gli archivi."),
                QStringLiteral("La cartella del programma può essere copiata su una chiavetta USB, sia per usare il "
                               "programma da lì sia come copia di sicurezza dei dati."),
                QStringLiteral(
                    "L'accesso è protetto da una password che si può cambiare a piacimento con il pulsante Cambia "
                    "password della finestra di accesso. Per il primo accesso digitare la password ingressostudio."),
                QStringLiteral("Sorrisa è lo strumento ideale per i dentisti che desiderano gestire il proprio studio "
                               "in modo semplice, ordinato e sicuro."),
            })};
    case Clients:
        return {
            QStringLiteral("App Archivio Pazienti"),
            paragraphs({
                QStringLiteral(
                    "L'app Archivio Pazienti consente di registrare i dati personali e i recapiti di ogni paziente "
                    "dello studio dentistico, come anche le informazioni riguardanti i trattamenti dentali ricevuti e "
                    "lo stato attuale di ciascun dente. I recapiti dei pazienti registrati possono poi essere "
                    "importati nelle schede degli appuntamenti dell'agenda, senza doverli scrivere di nuovo."),
                QStringLiteral("Per registrare un nuovo paziente fare clic su Nuovo, compilare la scheda e fare clic "
                               "su Salva: il cognome e nome e il numero di cellulare sono obbligatori. Per aggiornare "
                               "una scheda già in archivio, richiamarla con il pulsante Trova o con le frecce di "
                               "scorrimento, modificarla e salvarla di nuovo."),
                QStringLiteral(
                    "Il pulsante Duplica crea una nuova scheda partendo da una copia di quella visualizzata: è utile "
                    "per i pazienti con dati simili, ad esempio i componenti di una stessa famiglia. Dopo le "
                    "modifiche, Salva inserisce la copia in archivio come nuova scheda."),
                QStringLiteral(
                    "Ogni scheda raccoglie i dati anagrafici, l'indirizzo, i recapiti, il codice fiscale e la partita "
                    "IVA, la professione e la sede di lavoro, le patologie, i farmaci assunti, le allergie, i problemi "
                    "dentali principali, le questioni in sospeso, la modalità e lo stato dei pagamenti, il dentista "
                    "assegnato, gli orari preferiti per gli appuntamenti e le note."),
                QStringLiteral(
                    "Il pulsante Trova cerca i pazienti in archivio anche con chiavi parziali, ad esempio una parte "
                    "del cognome, e con più filtri contemporaneamente; l'elenco dei risultati può essere stampato."),
                QStringLiteral(
                    "I due pulsanti accanto al codice fiscale e alla partita IVA ne controllano la correttezza; il "
                    "controllo della partita IVA indica anche l'ufficio provinciale che l'ha rilasciata."),
                QStringLiteral("Il pulsante e-mail accanto all'indirizzo di posta elettronica prepara un nuovo "
                               "messaggio per il paziente nel programma di posta."),
                QStringLiteral(
                    "Nel campo Questioni in sospeso si annotano le questioni ancora aperte con il paziente; il "
                    "pulsante con il triangolo giallo mostra l'elenco di tutte le questioni in sospeso dell'archivio."),
                QStringLiteral("A ogni scheda si possono allegare fino a tre file, ciascuno con una sua descrizione, "
                               "per esempio referti o preventivi."),
                QStringLiteral("A ogni scheda è abbinata una cartella in cui conservare radiografie, fotografie e "
                               "documenti del paziente."),
                QStringLiteral("La finestra dello stato dentale registra, dente per dente, le condizioni e le "
                               "prestazioni eseguite su ciascuno dei 32 denti, e può essere stampata."),
                QStringLiteral("La finestra dei trattamenti dentali registra le prestazioni eseguite sul paziente: il "
                               "pulsante Aggiungi voce apre la scheda di una nuova prestazione."),
                QStringLiteral("Una prestazione già registrata si modifica scegliendola dall'elenco; ogni prestazione "
                               "riporta la data, l'ora, i trattamenti eseguiti, il dentista e l'importo."),
                QStringLiteral("Il totale degli importi viene calcolato in automatico e il riepilogo dei trattamenti "
                               "può essere stampato."),
                QStringLiteral("Ogni scheda può essere stampata, vista in anteprima o salvata in formato PDF, e "
                               "l'intero archivio dei pazienti può essere esportato in un file di Excel."),
            })};
    case Scadenze:
        return {
            QStringLiteral("App Schedario Appuntamenti"),
            paragraphs({
                QStringLiteral("L'app Schedario Appuntamenti va utilizzata per registrare o modificare gli "
                               "appuntamenti fissati con i pazienti dello studio dentistico."),
                QStringLiteral("Gli appuntamenti registrati compaiono nell'agenda degli appuntamenti imminenti quando "
                               "inizia il loro periodo di preavviso; l'intero archivio degli appuntamenti può essere "
                               "esportato in un file che si apre con qualsiasi programma di fogli di calcolo."),
                QStringLiteral(
                    "Per registrare un appuntamento fare clic su Nuovo, scegliere la data dal calendario e l'ora e i "
                    "minuti dai loro elenchi, indicare i giorni di preavviso, il cognome e nome del paziente, il suo "
                    "numero di cellulare e i trattamenti da eseguire, quindi fare clic su Salva. Il pulsante accanto "
                    "al cognome e nome importa i recapiti di un paziente dall'archivio pazienti."),
                QStringLiteral("Il pulsante Duplica crea una nuova scheda uguale a quella visualizzata, utile per gli "
                               "appuntamenti ricorrenti: basta cambiare la data e salvare."),
                QStringLiteral(
                    "Il pulsante di WhatsApp accanto al cellulare invia al paziente la conferma dell'appuntamento; il "
                    "pulsante accanto all'e-mail prepara un nuovo messaggio di posta."),
                QStringLiteral("Il pulsante Trova esegue una ricerca avanzata degli appuntamenti secondo uno o più "
                               "criteri contemporaneamente."),
                QStringLiteral(
                    "All'apertura dell'agenda un segnale acustico avvisa della presenza di appuntamenti imminenti. "
                    "Quando un appuntamento è stato rispettato, spuntare la casella Impegno assolto e salvare di nuovo "
                    "la scheda: l'appuntamento non comparirà più tra quelli imminenti."),
                QStringLiteral("I pulsanti Assolti, Da assolvere e Scaduti mostrano gli elenchi degli impegni nei tre "
                               "stati; facendo doppio clic su una voce di un elenco la scheda corrispondente viene "
                               "richiamata nello schedario."),
                QStringLiteral("I pulsanti Anteprima e Stampa mostrano e stampano la scheda visualizzata; ogni elenco "
                               "può essere stampato con il suo pulsante Stampa."),
            })};
    case Agenda:
        return {
            QStringLiteral("App Agenda Appuntamenti"),
            paragraphs({
                QStringLiteral(
                    "L'app Agenda Appuntamenti è studiata per gestire gli appuntamenti fissati con i pazienti del "
                    "proprio studio dentistico e per essere avvisati al sopraggiungere della data."),
                QStringLiteral("I dati degli appuntamenti si inseriscono nello Schedario Appuntamenti, che si apre con "
                               "il pulsante Inserisci appuntamenti."),
                QStringLiteral(
                    "All'apertura l'agenda mostra un messaggio ed emette un avviso sonoro quando ci sono appuntamenti "
                    "imminenti, che sono elencati in ordine cronologico. L'elenco si può stampare ed esportare."),
                QStringLiteral("Il calendario e i due pulsanti sotto di esso mostrano gli appuntamenti del giorno e "
                               "del mese scelti. Un appuntamento diventa imminente tanti giorni prima della data "
                               "quanti ne indica il preavviso e resta tale finché non viene segnato come assolto."),
                QStringLiteral("Selezionando un appuntamento e facendo clic sull'icona di WhatsApp si invia al "
                               "paziente un promemoria."),
            })};
    case ExpClients:
        return {QStringLiteral("Esportazione archivio pazienti in Excel"),
                paragraphs({
                    QStringLiteral("Il pulsante Esporta archivio consente di esportare tutte le schede dei pazienti "
                                   "registrate in archivio in un foglio di lavoro di Microsoft Excel, che potrà essere "
                                   "aperto con qualsiasi software in grado di gestire i file in formato XLS (ad "
                                   "esempio, con Open Office, Libre Office o Microsoft Office)."),
                    QStringLiteral("Facendo clic sull'icona del foglio di calcolo il file viene creato subito e, "
                                   "rispondendo sì alla domanda, può essere aperto."),
                    QStringLiteral("Il file aperto può poi essere salvato con un nome qualsiasi."),
                })};
    case ExpScadenzario:
        return {QStringLiteral("Esportazione archivio appuntamenti in Excel"),
                paragraphs({
                    QStringLiteral("Il pulsante Esporta archivio consente di esportare tutte le schede degli "
                                   "appuntamenti registrate in archivio in un foglio di lavoro di Microsoft Excel, che "
                                   "potrà essere aperto con qualsiasi software in grado di gestire i file in formato "
                                   "XLS (ad esempio, con Open Office, Libre Office o Microsoft Office)."),
                    QStringLiteral("Facendo clic sull'icona del foglio di calcolo il file viene creato subito e, "
                                   "rispondendo sì alla domanda, può essere aperto."),
                    QStringLiteral("Il file aperto può poi essere salvato con un nome qualsiasi."),
                })};
    case Visualizzazione:
        return {QStringLiteral("Visualizzazione appuntamenti"),
                paragraphs({
                    QStringLiteral("Gli appuntamenti imminenti appaiono in automatico nella schermata dell'agenda "
                                   "degli appuntamenti."),
                    QStringLiteral("Il pulsante di esportazione li mostra in una griglia. Quando un appuntamento è "
                                   "stato rispettato, spuntare Impegno assolto nella sua scheda e salvarla."),
                    QStringLiteral(
                        "Il preavviso stabilisce quanti giorni prima della data l'appuntamento diventa imminente. I "
                        "due pulsanti sotto il calendario mostrano gli appuntamenti del giorno e del mese scelti."),
                    QStringLiteral("Nella griglia gli appuntamenti sono in ordine cronologico; esportandoli si crea un "
                                   "file che si può aprire e salvare con un nome qualsiasi."),
                })};
    }
    return {};
}

} // namespace Help
