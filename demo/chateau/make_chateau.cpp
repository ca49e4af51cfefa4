// make_chateau: writes "Le château", Orvalde's demonstration adventure, as
// the adventure file chateau.orv of a project folder.
//
//     make_chateau <project folder>
//
// The story is kept here as tables an author can read: the words, the rooms
// with their exits, the objects, the messages and the events. They fill the
// adventure in memory over the default adventure, and the program's own
// saveAdventure writes the file, so it is exactly what "SAUVER FICHIER" would
// write after typing it all in the editor.
//
// The story: at the castle gate a guard bars the way. A sword lies at the
// edge of the forest, where flowers grow. Held in hand, the sword beats the
// guard; in the courtyard the apothecary sells a sleeping draught; the dragon
// before the prison drinks it and falls asleep, and its key opens the cell
// of the princess at the foot of the prison's stairs.
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "model/adventure.h"
#include "model/adventure_file.h"
#include "model/event_labels.h"
#include "model/project.h"
#include "platform/platform.h"

namespace {

namespace room {
enum : int64_t { Porte, Lisiere, Cour, EntreePrison, Pharmacie, PetiteSalle, Cellule };
}
// Pictures shown in place of a room's own once the story has changed it.
namespace picture {
enum : int64_t { PorteOuverte = 7, DragonEndormi, DragonSansClef };
}
namespace object {
enum : int64_t { Epee, Clef, Garde, GardeMort, Dragon, DragonEndormi, Fiole, Bouquet, Apothicaire };
}
// Words 0 to 13 have the engine's built-in meanings.
namespace word {
enum : int64_t {
    Nord,
    Sud,
    Est,
    Ouest,
    Haut,
    Bas,
    Prends,
    Laisse,
    Range,
    Manie,
    Inventaire,
    Fin,
    Sauve,
    Charge,
    Epee,
    Clef,
    Garde,
    Dragon,
    Fiole,
    Fleurs,
    Porte,
    Attaque,
    Donne,
    Cueille,
    Ouvre,
    Parle,
    Apothicaire,
    Aide,
    Regarde,
    Attends,
    Abandonne,
    Vide,
    Sac,
    None = NoWord
};
}
namespace flag {
enum : int64_t {
    PartieCommencee,
    GardeVaincu,
    DragonEndormi,
    ClefPrise,
    EpeePrise,
    FleursCueillies,
    ApothicaireASalue,
    Score = 10,
    Dix = 20,  // holds 10 from the first turn, added to the score
    Vingt,     // holds 20
};
}
// Samples: the project's files 1.ogg to 5.ogg.
namespace sample {
enum : int64_t { Epee = 1, Rugissement, Ronflement, Porte, Fanfare };
}

// Texts are typed with plain blanks; the French blank before ":", ";", "!",
// "?" and "»" and after "«" is made non-breaking, so that a line of the
// game's screen never begins with one of these signs.
std::u16string typeset(const char16_t* text) {
    std::u16string result = text;
    for (size_t i = 0; i + 1 < result.size(); ++i) {
        const char16_t next = result[i + 1];
        if (result[i] == u' ' && (next == u':' || next == u';' || next == u'!' || next == u'?' || next == u'»'))
            result[i] = u'\u00A0';
        if (result[i] == u'«' && next == u' ') result[i + 1] = u'\u00A0';
    }
    return result;
}

// ---- Words ----

struct WordRow {
    int64_t number;
    const char16_t* spellings[SpellingsPerWord];
};
const WordRow words[] = {
    {word::Nord, {u"N", u"NORD"}},
    {word::Sud, {u"S", u"SUD"}},
    {word::Est, {u"E", u"EST"}},
    {word::Ouest, {u"O", u"OUEST"}},
    {word::Haut, {u"H", u"HAUT", u"MONTE"}},
    {word::Bas, {u"B", u"BAS", u"DESCENDS"}},
    {word::Prends, {u"PRENDS", u"RAMASSE", u"DECROCHE"}},
    {word::Laisse, {u"LAISSE", u"JETTE", u"POSE"}},
    {word::Range, {u"RANGE"}},
    {word::Manie, {u"MANIE", u"BRANDIS", u"TIENS"}},
    {word::Inventaire, {u"INVENTAIRE", u"I"}},
    {word::Fin, {u"FIN", u"ARRET"}},
    {word::Sauve, {u"SAUVE", u"SAVE", u"SAUVEGARDE"}},
    {word::Charge, {u"CHARGE", u"LOAD", u"RESTAURE"}},
    {word::Epee, {u"EPEE", u"LAME"}},
    {word::Clef, {u"CLEF", u"CLE"}},
    {word::Garde, {u"GARDE", u"SOLDAT"}},
    {word::Dragon, {u"DRAGON", u"BETE"}},
    {word::Fiole, {u"FIOLE", u"POTION", u"SOMNIFERE"}},
    {word::Fleurs, {u"FLEURS", u"FLEUR", u"BOUQUET"}},
    {word::Porte, {u"PORTE", u"CELLULE"}},
    {word::Attaque, {u"ATTAQUE", u"TUE", u"FRAPPE", u"COMBATS"}},
    {word::Donne, {u"DONNE", u"OFFRE"}},
    {word::Cueille, {u"CUEILLE"}},
    {word::Ouvre, {u"OUVRE", u"DEVERROUILLE"}},
    {word::Parle, {u"PARLE", u"SALUE"}},
    {word::Apothicaire, {u"APOTHICAIRE", u"PHARMACIEN", u"VIEILLARD"}},
    {word::Aide, {u"AIDE", u"INDICE"}},
    {word::Regarde, {u"REGARDE"}},
    {word::Attends, {u"ATTENDS"}},
    {word::Abandonne, {u"ABANDONNE"}},
    {word::Vide, {u"VIDE"}},
    {word::Sac, {u"SAC"}},
};

// ---- Rooms and their exits (Nord, Sud, Est, Ouest, Haut, Bas) ----

const int64_t X = NoExit;
struct RoomRow {
    int64_t number;
    const char16_t* text;
    int64_t exits[DirectionCount];
};
// The gate's north exit and the stairs down from the prison are in the
// table, but events send the player back while the guard or the dragon is
// awake (see "Barred ways" below).
const RoomRow rooms[] = {
    {room::Porte,
     u"Vous vous trouvez à l'entrée du château. La grande porte s'ouvre au nord ; au sud, un chemin descend vers "
     u"la forêt.",
     {room::Cour, room::Lisiere, X, X, X, X}},
    {room::Lisiere,
     u"À la lisière de la forêt. Des fleurs sauvages bordent le chemin qui remonte, au nord, vers le château.",
     {room::Porte, X, X, X, X, X}},
    {room::Cour,
     u"Dans la cour du château. À l'est pend l'enseigne d'une pharmacie ; à l'ouest s'ouvre l'entrée sombre de la "
     u"prison.",
     {X, room::Porte, room::Pharmacie, room::EntreePrison, X, X}},
    {room::EntreePrison,
     u"L'entrée d'une prison. Un escalier humide descend vers les cachots ; la cour est à l'est.",
     {X, X, room::Cour, X, X, room::PetiteSalle}},
    {room::Pharmacie,
     u"Une pharmacie. Des fioles de toutes les couleurs s'alignent sur les étagères ; la cour est à l'ouest.",
     {X, X, X, room::Cour, X, X}},
    {room::PetiteSalle,
     u"Une petite salle rectangulaire, éclairée par une torche. Au fond, la lourde porte d'une cellule.",
     {X, X, X, X, room::EntreePrison, X}},
    {room::Cellule, u"La princesse dans sa cellule, maintenant LIBRE.", {X, room::PetiteSalle, X, X, X, X}},
};

// ---- Objects: text, associated word, takeable, where it starts ----

struct ObjectRow {
    int64_t number;
    const char16_t* text;
    int64_t word;
    int64_t takeable;
    int64_t location;
};
const ObjectRow objects[] = {
    {object::Epee, u"Une épée", word::Epee, 1, room::Lisiere},
    {object::Clef, u"La clef de la cellule", word::Clef, 1, NotCreated},
    {object::Garde, u"Un garde devant l'entrée", word::Garde, 0, room::Porte},
    {object::GardeMort, u"Le garde mort", word::Garde, 0, NotCreated},
    {object::Dragon, u"Un dragon avec une clef autour du cou", word::Dragon, 0, room::EntreePrison},
    {object::DragonEndormi, u"Le dragon endormi", word::Dragon, 0, NotCreated},
    {object::Fiole, u"Une fiole de somnifère", word::Fiole, 1, room::Pharmacie},
    {object::Bouquet, u"Un bouquet de fleurs des champs", word::Fleurs, 1, NotCreated},
    {object::Apothicaire, u"Un vieil apothicaire", word::Apothicaire, 0, room::Pharmacie},
};

// ---- Messages, by number ----

namespace msg {
enum : int64_t {
    Bienvenue,
    GardeBarreLaPorte,
    DragonBarreLEscalier,
    EpeePrise,
    ClefPrise,
    PasDeGarde,
    GardeVaincu,
    EpeeDansLeSac,
    Assomme,
    DragonTropFort,
    DragonMeprisant,
    DragonDort,
    PersonneAQuiDonner,
    PasDeFiole,
    DragonBoit,
    DragonSEndort,
    PorteFermee,
    ClefSortie,
    PorteSOuvre,
    PasDePorte,
    PasDeFleurs,
    FleursCueillies,
    DejaCueillies,
    GardezLesFleurs,
    ApothicaireSalue,
    ApothicaireConseille,
    RangezLEpee,
    GardeRepond,
    DragonGronde,
    PersonneNeRepond,
    AideEpee,
    AideGarde,
    AideDragon,
    AideClef,
    AidePorte,
    LeTempsPasse,
    Abandon,
    SacVide,
    PrincesseLibre,
    BouquetOffert,
    ScoreParfait,
    ScoreIncomplet,
    AppuyezSurUneTouche,
    Count
};
}
const char16_t* const messages[] = {
    u"Bienvenue, chevalier ! La princesse est prisonnière du château : délivrez-la. Tapez AIDE si vous êtes perdu.",
    u"Le garde croise sa hallebarde devant vous : « On ne passe pas ! »",
    u"Le dragon crache une gerbe de flammes : impossible de descendre !",
    u"L'épée est lourde, mais sa lame est bien aiguisée.",
    u"Vous décrochez délicatement la clef du cou du dragon.",
    u"Il n'y a pas de garde à combattre ici.",
    u"Vous croisez le fer avec le garde. Après un rude combat, il s'écroule : la voie est libre !",
    u"Votre épée est au fond de votre sac : prenez-la d'abord en main (MANIE EPEE).",
    u"Sans arme, vous vous jetez sur le garde. Il vous assomme d'un coup de hallebarde...",
    u"Le dragon balaie votre attaque d'un coup de queue et votre épée vole à terre ! Mieux vaudrait l'endormir.",
    u"Le dragon vous toise avec mépris : sans arme en main, inutile d'essayer.",
    u"Inutile de réveiller la bête : elle dort si bien.",
    u"Il n'y a ici personne à qui la donner.",
    u"Vous n'avez pas de fiole à lui donner.",
    u"Le dragon renifle la fiole, l'avale d'un trait et bâille...",
    u"... puis il s'endort en ronflant. La clef pend à son cou, à votre portée.",
    u"La porte de la cellule est fermée à clef.",
    u"Vous sortez la clef de votre sac.",
    u"La clef tourne en grinçant dans la serrure : la porte s'ouvre !",
    u"Il n'y a pas de porte fermée ici.",
    u"Il n'y a pas de fleurs ici.",
    u"Vous cueillez un joli bouquet de fleurs des champs.",
    u"Vous avez déjà cueilli les plus belles.",
    u"Gardez-les pour la princesse !",
    u"« Bonjour, messire ! Que puis-je pour votre service ? », demande le vieil apothicaire.",
    u"« Contre les dragons, rien ne vaut mon somnifère ! Prenez donc cette fiole. »",
    u"« Rangez cette épée, jeune homme, vous allez casser mes fioles ! »",
    u"« Circulez ! Personne n'entre au château. »",
    u"Le dragon ne répond que par un grondement sourd.",
    u"Personne ici ne vous répond.",
    u"Il vous faudrait une arme. Cherchez du côté de la forêt, au sud.",
    u"Prenez l'épée en main (MANIE EPEE), puis attaquez le garde (ATTAQUE GARDE).",
    u"Le dragon garde la prison, à l'ouest de la cour. L'apothicaire, à l'est, saura vous aider.",
    u"Le dragon dort : prenez la clef (PRENDS CLEF).",
    u"La cellule est au pied de l'escalier de la prison : ouvrez la porte (OUVRE PORTE).",
    u"Le temps passe...",
    u"Vous songez à rentrer chez vous...",
    u"Vous videz votre sac sur le sol.",
    u"La princesse se jette à votre cou : « Mon héros ! Vous m'avez délivrée ! »",
    u"Vous lui offrez votre bouquet ; elle rougit de plaisir.",
    u"Votre score : 100 points sur 100. Vous êtes un vrai chevalier !",
    u"Votre score : 80 points sur 100. La princesse aurait aimé quelques fleurs...",
    u"(Appuyez sur une touche.)",
};
static_assert(std::size(messages) == msg::Count);

// The fixed phrases of the engine, in the adventure's own wording.
const char16_t* const systemMessages[] = {
    u"Vous voyez :",
    u"À vous :",
    u"Je ne comprends pas ces mots.",
    u"Vous ne pouvez pas aller par là.",
    u"Vous ne pouvez pas faire cela.",
    u"Vous avez :",
    u"(en main)",
    u"Rien du tout",
    u"Voulez-vous vraiment arrêter la partie ?",
    u"Fin de la partie. Voulez-vous rejouer ?",
    u"Appuyez sur une touche.",
    u"Vous avez joué",
    u"coup",
    u"s",
    u"Vous n'avez pas cet objet en main.",
    u"Vous ne pouvez pas : vous tenez déjà un objet en main.",
    u"Vous l'avez déjà.",
    u"Cet objet n'est pas ici.",
    u"Vous ne pouvez pas porter plus d'objets.",
    u"Vous ne l'avez pas.",
    u"Vous portez déjà cet objet.",
    u"O",
    u"N",
    u"Numéro de sauvegarde (1 à 9) :",
    u"D'accord.",
    u"Impossible d'écrire la sauvegarde sur ce disque.",
};

// ---- Events ----

struct Step {
    int64_t type;
    int64_t arg1 = 255;
    int64_t arg2 = 255;
};
using Steps = std::vector<Step>;
// A minor event is tried after a command of exactly its verb and noun (no
// noun: a command of one word).
struct MinorRow {
    int64_t verb;
    int64_t noun;
    Steps conditions;
    Steps actions;
};
struct MajorRow {
    Steps conditions;
    Steps actions;
};

// Adds one of the score's constants (flag::Dix or flag::Vingt) to the score.
Step addToScore(int64_t constant) {
    return {AjouteAuFlag, flag::Score, constant};
}
Step say(int64_t message) {
    return {AfficheMessage, message};
}

// Events are tried in this order, and each sees what the earlier ones of the
// same command changed: a refusal that an event's success would make true
// (the guard is no longer here once beaten) comes before that event.
const MinorRow minorEvents[] = {
    // Barred ways: the move has been made, so the player is sent back.
    {word::Nord,
     word::None,
     {{EnSalle, room::Cour}, {FlagEgalAZero, flag::GardeVaincu}},
     {{AllerEn, room::Porte}, {DecritSalleActuelle}, say(msg::GardeBarreLaPorte)}},
    {word::Bas,
     word::None,
     {{EnSalle, room::PetiteSalle}, {FlagEgalAZero, flag::DragonEndormi}},
     {{AllerEn, room::EntreePrison},
      {DecritSalleActuelle},
      {JouerSample, sample::Rugissement},
      say(msg::DragonBarreLEscalier)}},

    // The first time the sword and the key are taken, points.
    {word::Prends,
     word::Epee,
     {{ObjetEnInventaire, object::Epee}, {FlagEgalAZero, flag::EpeePrise}},
     {{MetFlag, flag::EpeePrise}, addToScore(flag::Dix), say(msg::EpeePrise)}},
    {word::Prends,
     word::Clef,
     {{ObjetEnInventaire, object::Clef}, {FlagEgalAZero, flag::ClefPrise}},
     {{MetFlag, flag::ClefPrise},
      addToScore(flag::Dix),
      {SallePrendImage, room::EntreePrison, picture::DragonSansClef},
      say(msg::ClefPrise)}},

    // The guard: beaten only with the sword in hand.
    {word::Attaque, word::Garde, {{ObjetPasIci, object::Garde}}, {say(msg::PasDeGarde)}},
    {word::Attaque,
     word::Garde,
     {{ObjetIci, object::Garde}, {ObjetEnMain, object::Epee}},
     {{EchangeObjets, object::Garde, object::GardeMort},
      {MetFlag, flag::GardeVaincu},
      addToScore(flag::Vingt),
      {JouerSample, sample::Epee},
      {SallePrendImage, room::Porte, picture::PorteOuverte},
      say(msg::GardeVaincu)}},
    {word::Attaque,
     word::Garde,
     {{ObjetIci, object::Garde}, {ObjetEnInventaire, object::Epee}},
     {say(msg::EpeeDansLeSac)}},
    {word::Attaque,
     word::Garde,
     {{ObjetIci, object::Garde}, {ObjetPasEnInventaire, object::Epee}, {ObjetPasEnMain, object::Epee}},
     {{EffaceEcran}, say(msg::Assomme), {FinirLeJeu}}},

    // The dragon cannot be beaten: it knocks the sword to the ground.
    {word::Attaque, word::Dragon, {{ObjetIci, object::DragonEndormi}}, {say(msg::DragonDort)}},
    {word::Attaque,
     word::Dragon,
     {{ObjetIci, object::Dragon}, {ObjetPasEnMain, object::Epee}},
     {say(msg::DragonMeprisant)}},
    {word::Attaque,
     word::Dragon,
     {{ObjetIci, object::Dragon}, {ObjetEnMain, object::Epee}},
     {{JouerSample, sample::Rugissement}, {JetteObjet, object::Epee}, {DecritSalleActuelle}, say(msg::DragonTropFort)}},

    // The sleeping draught. A fiole held in hand is first put in the bag, so
    // that the next event finds it there.
    {word::Donne, word::Fiole, {{ObjetPasIci, object::Dragon}}, {say(msg::PersonneAQuiDonner)}},
    {word::Donne,
     word::Fiole,
     {{ObjetIci, object::Dragon}, {ObjetPasEnInventaire, object::Fiole}, {ObjetPasEnMain, object::Fiole}},
     {say(msg::PasDeFiole)}},
    {word::Donne,
     word::Fiole,
     {{ObjetIci, object::Dragon}, {ObjetEnMain, object::Fiole}},
     {{ObjetNonEnMain, object::Fiole}}},
    {word::Donne,
     word::Fiole,
     {{ObjetIci, object::Dragon}, {ObjetEnInventaire, object::Fiole}},
     {say(msg::DragonBoit),
      {Pause, 2},
      {DetruitObjet, object::Fiole},
      {EchangeObjets, object::Dragon, object::DragonEndormi},
      {CreeObjetEn, object::Clef, room::EntreePrison},
      {MetFlag, flag::DragonEndormi},
      addToScore(flag::Vingt),
      {SallePrendImage, room::EntreePrison, picture::DragonEndormi},
      {JouerSample, sample::Ronflement},
      say(msg::DragonSEndort)}},
    {word::Donne, word::Fleurs, {}, {say(msg::GardezLesFleurs)}},

    // The cell's door: the key is taken in hand, turns, and stays in the lock.
    {word::Ouvre, word::Porte, {{EnSalleInferieureA, room::PetiteSalle}}, {say(msg::PasDePorte)}},
    {word::Ouvre,
     word::Porte,
     {{EnSalle, room::PetiteSalle}, {ObjetPasEnInventaire, object::Clef}, {ObjetPasEnMain, object::Clef}},
     {say(msg::PorteFermee)}},
    {word::Ouvre,
     word::Porte,
     {{EnSalle, room::PetiteSalle}, {ObjetEnInventaire, object::Clef}},
     {{MetObjetEnMain, object::Clef}, say(msg::ClefSortie)}},
    {word::Ouvre,
     word::Porte,
     {{EnSalle, room::PetiteSalle}, {ObjetEnMain, object::Clef}},
     {{JouerSample, sample::Porte},
      say(msg::PorteSOuvre),
      {DetruitObjet, object::Clef},
      {Pause, 2},
      {AllerEn, room::Cellule}}},

    // Flowers grow only at the edge of the forest; a bouquet is worth points.
    {word::Cueille, word::Fleurs, {{EnSalleInferieureA, room::Lisiere}}, {say(msg::PasDeFleurs)}},
    {word::Cueille, word::Fleurs, {{EnSalleSuperieureA, room::Lisiere}}, {say(msg::PasDeFleurs)}},
    {word::Cueille,
     word::Fleurs,
     {{EnSalle, room::Lisiere}, {FlagEgalA, flag::FleursCueillies, 255}},
     {say(msg::DejaCueillies)}},
    {word::Cueille,
     word::Fleurs,
     {{EnSalle, room::Lisiere}, {FlagEgalAZero, flag::FleursCueillies}},
     {{CreeObjet, object::Bouquet},
      {PrendsObjet, object::Bouquet},
      {MetFlag, flag::FleursCueillies},
      addToScore(flag::Vingt),
      say(msg::FleursCueillies),
      {AfficheInventaire}}},

    // Talking.
    {word::Parle, word::Apothicaire, {{ObjetIci, object::Apothicaire}}, {say(msg::ApothicaireConseille)}},
    {word::Parle, word::Apothicaire, {{ObjetPasIci, object::Apothicaire}}, {say(msg::PersonneNeRepond)}},
    {word::Parle, word::Garde, {{ObjetIci, object::Garde}}, {say(msg::GardeRepond)}},
    {word::Parle, word::Garde, {{ObjetPasIci, object::Garde}}, {say(msg::PersonneNeRepond)}},
    {word::Parle, word::Dragon, {{ObjetIci, object::Dragon}}, {say(msg::DragonGronde)}},
    {word::Parle, word::Dragon, {{ObjetPasIci, object::Dragon}}, {say(msg::PersonneNeRepond)}},

    // Help, by how far the story has gone.
    {word::Aide, word::None, {{FlagEgalAZero, flag::EpeePrise}}, {say(msg::AideEpee)}},
    {word::Aide,
     word::None,
     {{FlagPasEgalAZero, flag::EpeePrise}, {FlagEgalAZero, flag::GardeVaincu}},
     {say(msg::AideGarde)}},
    {word::Aide,
     word::None,
     {{FlagPasEgalAZero, flag::GardeVaincu}, {FlagEgalAZero, flag::DragonEndormi}},
     {say(msg::AideDragon)}},
    {word::Aide,
     word::None,
     {{FlagPasEgalAZero, flag::DragonEndormi}, {FlagEgalAZero, flag::ClefPrise}},
     {say(msg::AideClef)}},
    {word::Aide, word::None, {{FlagPasEgalAZero, flag::ClefPrise}}, {say(msg::AidePorte)}},

    // Small commands.
    {word::Regarde, word::None, {}, {{EffaceEcran}}},
    {word::Attends, word::None, {}, {{AfficheOk}, {Pause, 1}, say(msg::LeTempsPasse)}},
    {word::Abandonne, word::None, {}, {say(msg::Abandon), {QuitterJeu}}},
    {word::Vide, word::Sac, {}, {{JetteTout}, {DecritSalleActuelle}, say(msg::SacVide)}},
};

// Tried at the start of every turn, before the player types.
const MajorRow majorEvents[] = {
    // The first turn: the score's constants and the welcome.
    {{{FlagEgalAZero, flag::PartieCommencee}},
     {{MetFlag, flag::PartieCommencee},
      {DonneAuFlag, flag::Dix, 10},
      {DonneAuFlag, flag::Vingt, 20},
      say(msg::Bienvenue)}},
    // The apothecary greets each visit: the flag is cleared once the player
    // is back in the courtyard (rooms below the pharmacy's number).
    {{{EnSalle, room::Pharmacie}, {FlagEgalAZero, flag::ApothicaireASalue}},
     {{MetFlag, flag::ApothicaireASalue}, say(msg::ApothicaireSalue)}},
    {{{EnSalleInferieureA, room::Pharmacie}, {FlagPasEgalAZero, flag::ApothicaireASalue}},
     {{EffaceFlag, flag::ApothicaireASalue}}},
    {{{EnSalle, room::Pharmacie}, {ObjetEnMain, object::Epee}},
     {say(msg::RangezLEpee), {ObjetNonEnMain, object::Epee}}},
    // The princess is free: the last points, the score and the end.
    {{{EnSalle, room::Cellule}}, {{JouerSample, sample::Fanfare}, say(msg::PrincesseLibre), addToScore(flag::Vingt)}},
    {{{EnSalle, room::Cellule}, {ObjetEnMain, object::Bouquet}}, {{ObjetNonEnMain, object::Bouquet}}},
    {{{EnSalle, room::Cellule}, {ObjetEnInventaire, object::Bouquet}},
     {say(msg::BouquetOffert), addToScore(flag::Vingt), {DetruitObjet, object::Bouquet}}},
    {{{EnSalle, room::Cellule}, {FlagSuperieurA, flag::Score, 90}}, {say(msg::ScoreParfait)}},
    {{{EnSalle, room::Cellule}, {FlagInferieurA, flag::Score, 100}}, {say(msg::ScoreIncomplet)}},
    {{{EnSalle, room::Cellule}}, {say(msg::AppuyezSurUneTouche), {AttendreTouche}, {FinirLeJeu}}},
};

void fillSteps(EventStep* slots, const Steps& steps) {
    if (steps.size() > StepsPerList) {
        std::fprintf(stderr, "make_chateau: an event has more than %d steps\n", StepsPerList);
        std::exit(1);
    }
    for (size_t i = 0; i < steps.size(); ++i) slots[i] = {steps[i].type, steps[i].arg1, steps[i].arg2, 255};
}

void writeStory() {
    resetLayoutSettings();
    resetAdventure();
    for (int w = 0; w < TableSize; ++w)
        for (int s = 0; s < SpellingsPerWord; ++s) adventure.vocabulary[w][s].clear();
    for (const WordRow& row : words)
        for (int s = 0; s < SpellingsPerWord; ++s)
            if (row.spellings[s] != nullptr) adventure.vocabulary[row.number][s] = row.spellings[s];
    adventure.messageTexts[0].clear();
    for (int64_t m = 0; m < msg::Count; ++m) adventure.messageTexts[m] = typeset(messages[m]);
    for (const RoomRow& row : rooms) {
        adventure.roomTexts[row.number] = typeset(row.text);
        for (int d = 0; d < DirectionCount; ++d) adventure.exits[row.number][d] = row.exits[d];
    }
    for (const ObjectRow& row : objects) {
        adventure.objectTexts[row.number] = typeset(row.text);
        adventure.objectAttributes[row.number][AssociatedWord] = row.word;
        adventure.objectAttributes[row.number][Takeable] = row.takeable;
        adventure.objectAttributes[row.number][Holdable] = row.takeable;
        adventure.objectLocations[row.number] = row.location;
    }
    for (size_t m = 0; m < std::size(systemMessages); ++m) adventure.systemMessages[m] = typeset(systemMessages[m]);
    // One hand holds an object; the other carries the shield.
    adventure.maxObjectsInHand = 1;
    adventure.maxObjectsInInventory = 5;

    adventure.minorEventCount = std::size(minorEvents);
    for (size_t e = 0; e < std::size(minorEvents); ++e) {
        MinorEvent& event = adventure.minorEvents[e];
        event.words[0] = minorEvents[e].verb;
        event.words[1] = minorEvents[e].noun;
        event.words[2] = NoWord;
        fillSteps(event.conditions, minorEvents[e].conditions);
        fillSteps(event.actions, minorEvents[e].actions);
    }
    adventure.majorEventCount = std::size(majorEvents);
    for (size_t e = 0; e < std::size(majorEvents); ++e) {
        fillSteps(adventure.majorEvents[e].conditions, majorEvents[e].conditions);
        fillSteps(adventure.majorEvents[e].actions, majorEvents[e].actions);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_chateau <project folder>\n");
        return 2;
    }
    if (!setCurrentDirectory(utf8ToText(argv[1]))) {
        std::fprintf(stderr, "make_chateau: no folder %s\n", argv[1]);
        return 1;
    }
    programFolder = currentDirectory();
    writeStory();
    // A fresh file each time: the previous one is not kept as a backup.
    deleteFile(programFolder + u"chateau.orv");
    deleteFile(programFolder + u"chateau.bak");
    return saveAdventure(u"chateau.orv", u"") ? 0 : 1;
}
