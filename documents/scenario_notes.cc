#include "documents/scenario_notes.h"

#include "base/text_document.h"

namespace scenario {
namespace {

// clang-format off
constexpr std::string_view kNotesLines[] = {
    // Authors
    "Autori dello scenario: Autore Primo (autore.primo@example.org)",
    "                 Autore Secondo (autore.secondo@example.org)",
    "                 Autore Terzo (autore.terzo@example.org)",
    "",
    // Scenario number
    "N.ro scenario: 2",
    "",
    "",
    // Prescription for the driver
    "***********A T T E N Z I O N E :   Prescrizione per il macchinista del treno 37264**********",
    "Marcia a vista (10 Km/h) in corrispondenza dei P.L. ai Km.43+200, Km.42+700, Km.42+500",
    "********************************************************************************************",
    "",
    // Notes on the train
    "***NOTE SUL TRENO 37264***",
    "Il treno Regionale 37264 lo potete  trovare, con la stessa traccia, sull'Orario Ufficiale di Trenitalia",
    "valido dal 10 giugno 2001 al 26 gennaio 2002. Esso ha impostato quattro vetture, e si può immaginare",
    "siano delle 'Piano Ribassato'.In realtà dovrebbe essere espletato da quattro pezzi di ALe.582.",
    "Il treno parte con un solo minuto di ritardo dalla stazione di Valdorsio. Durante la marcia troverete",
    "alcuni perditempo, che tuttavia possono essere 'passati' grazie alle lunghe soste che si incontrano",
    "lungo la linea. Queste ultime ci sono in quanto la linea nella realtà è a binario unico, e di conseguenza,",
    "per permettere ai treni nella direzione opposta di circolare, bisogna spesso 'aspettarli' nelle stazioni.",
    "Oltre a questo l'orario è molto largo, quandi i minuti in cui è possbile recuperare sono molti.",
    "Attenzione però al rallentamento presente in linea e soprattutto alle MARCIA A VISTA su alcuni P.L.:",
    "abbiamo impostato 10 Km/h di marcia su ogni P.L., anche se la velocità nella realtà può arrivare anche",
    "a 30 Km/h.",
    "Sulla scheda treno troverete i simboli '+': essi stanno ad indicare il mezzo minuto. Poi troverete anche",
    "scritte alcune locatità di fermata con carattere 'minuscolo': esse non hanno il segnale di protezione e",
    "di partenza.",
    "CONDIZIONI DI ADERENZA: Sufficientemente buone, ma non ottime",
    "N.RO RALLENTAMENTI: 1",
    "",
    "",
    // Notes on the line
    "***NOTE SULLA LINEA VALDORSIO-RONSALE***",
    "La planimetria della linea Valdorsio-Ronsale corrisponde per il 99% uguale a quella vera. I pochi e",
    "rari errori sono dovuti ai limiti imposti dall'Editor del Simulatore.",
    "Anche la posizione delle stazioni risulta essere pressapoco uguale a quelle vere: anche qui sono presenti",
    "alcuni errori, che comunque non influiscono sulla marcia del treno. Alcune stazioni di 'coincidenza' le abbiamo realizzate con soli due binari anzichè quattro, in quanto nella realtà esse sono a due o tre binari. Si può quindi immaginare che in suddette stazioni, dove la sosta è lunga, si possa incrociare qualche treno.",
    "L'altimetria risulta essere un po' confusa in quanto le documentazioni a disposizione non sono molto",
    "chiare.",
    "Il segnalamento è perfettamente reale a quello reso noto dal Regolamento Segnali di Trenitalia.",
    "Sono stati 'imitati' anche i segnali di avviso e di prima categoria dei Passaggi a Livello (P.L.),",
    "che però differiscono nella forma alle normali vele: tuttavia è stato riportato ciò anche per evitare",
    "di lasciare la linea 'vuota', in quanto nella realtà possiede pochissimi segnali, essendo a binario",
    "unico.",
    kEndOfList,
};
// clang-format on

static_assert(std::size(kNotesLines) <= kLineSlots);

}  // namespace

std::span<const std::string_view> ScenarioNotesLines() { return kNotesLines; }

Status dati_note(FileSystem& files, const FileNames& names) {
  return WriteTextDocument(files, names.Notes(), kNotesLines);
}

}  // namespace scenario
