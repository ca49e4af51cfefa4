// The check of the adventure in memory: one walk over the rooms, exits,
// objects and events, each finding one rule of the table below.
#include "model/adventure_check.h"

#include <algorithm>

#include "model/adventure.h"
#include "model/event_labels.h"
#include "platform/platform.h"

namespace {

// What a rule says; "%1", "%2" and "%3" stand for the finding's numbers.
struct RuleEntry {
    Severity severity;
    const char16_t* text;
};

const RuleEntry rules[CheckRuleCount] = {
    {Severity::Error, u"la salle de départ n'a pas de texte"},
    {Severity::Error, u"la salle %1 n'a pas de texte"},
    {Severity::Error, u"%1 n'est pas une salle : 253 à 255 sont les places des objets"},
    {Severity::Error, u"l'objet %1 n'a pas de texte"},
    {Severity::Error, u"le message %1 est vide"},
    {Severity::Error, u"pas de verbe : l'événement ne se déclenche jamais"},
    {Severity::Error, u"le mot %1 n'a pas d'orthographe : l'événement ne se déclenche jamais"},
    {Severity::Error, u"le mot associé %1 n'a pas d'orthographe : le joueur ne peut pas nommer l'objet"},
    {Severity::Error, u"le type de condition %1 n'existe pas : l'événement ne se déclenche jamais"},
    {Severity::Error, u"le type d'action %1 n'existe pas : l'action ne fait rien"},
    {Severity::Error, u"la valeur %1 est hors de %2 à %3"},
    {Severity::Remark, u"aucun chemin depuis la salle 0 n'y mène"},
    {Severity::Remark, u"ni placé ni créé par une action : le joueur ne le verra jamais"},
    {Severity::Remark, u"le flag %1 est testé mais aucune action ne lui donne de valeur"},
};


constexpr int64_t LastRoom = NotCreated - 1;  // rooms the player can be in: 0..252

AdventureCheck* check = nullptr;

void report(CheckRule rule, const char16_t* page, const std::u16string& place, int64_t v1 = 0, int64_t v2 = 0,
            int64_t v3 = 0) {
    ++(rules[rule].severity == Severity::Error ? check->errors : check->remarks);
    if (static_cast<int64_t>(check->findings.size()) < MaxListedFindings) {
        check->findings.push_back({rule, page, place, {v1, v2, v3}});
    }
}

bool reportOutOfRange(const char16_t* page, const std::u16string& place, int64_t value, int64_t lowest,
                      int64_t highest) {
    if (value >= lowest && value <= highest) return false;
    report(ValueOutOfRange, page, place, value, lowest, highest);
    return true;
}

bool hasSpelling(int64_t word) {
    if (!isTableIndex(word)) return false;
    for (const std::u16string& spelling : adventure.vocabulary[word]) {
        if (!spelling.empty()) return true;
    }
    return false;
}

bool isRoomWithText(int64_t room) {
    return room >= 0 && room <= LastRoom && !adventure.roomTexts[room].empty();
}

std::u16string roomPlace(int64_t room) {
    return u"salle " + integerToText(room);
}
std::u16string objectPlace(int64_t object) {
    return u"objet " + integerToText(object);
}

// What the events do that the remarks need: which flags some action gives a
// value, which objects some action brings into the world, which rooms an
// "Aller en" leads to, and where each flag is first tested.
struct EventUses {
    bool flagSet[TableSize] = {};
    bool objectCreated[TableSize] = {};
    bool roomEntered[TableSize] = {};
    const char16_t* flagTestPage[TableSize] = {};
    std::u16string flagTestPlace[TableSize];
};

void checkRooms() {
    if (adventure.roomTexts[0].empty()) report(StartRoomWithoutText, u"TEXTE SALLES", roomPlace(0));
    for (int room = 0; room < TableSize; ++room) {
        for (int direction = 0; direction < DirectionCount; ++direction) {
            const int64_t exit = adventure.exits[room][direction];
            const std::u16string place = roomPlace(room) + u", " + directionNames[direction];
            if (reportOutOfRange(u"DEPLACEMENTS", place, exit, 0, TableSize - 1)) continue;
            // The exits of a room without text matter only once it is entered,
            // which is reported where it happens.
            if (isRoomWithText(room) && exit <= LastRoom && adventure.roomTexts[exit].empty()) {
                report(RoomWithoutText, u"DEPLACEMENTS", place, exit);
            }
        }
    }
}

void checkObjects() {
    for (int object = 0; object < TableSize; ++object) {
        const int64_t* attributes = adventure.objectAttributes[object];
        const int64_t location = adventure.objectLocations[object];
        const std::u16string place = objectPlace(object);
        const bool locationKnown = !reportOutOfRange(u"PLACER OBJETS", place, location, 0, TableSize - 1);
        const bool wordKnown = !reportOutOfRange(u"ATTRIB. OBJETS", place, attributes[AssociatedWord], 0, NoWord);
        reportOutOfRange(u"ATTRIB. OBJETS", place + u", Pr", attributes[Takeable], 0, 1);
        reportOutOfRange(u"ATTRIB. OBJETS", place + u", Ma", attributes[Holdable], 0, 1);
        if (!locationKnown || location == NotCreated) continue;
        if (adventure.objectTexts[object].empty()) report(ObjectWithoutText, u"PLACER OBJETS", place, object);
        if (location <= LastRoom && adventure.roomTexts[location].empty()) {
            report(RoomWithoutText, u"PLACER OBJETS", place, location);
        }
        if (wordKnown && !hasSpelling(attributes[AssociatedWord])) {
            report(UnnamedObject, u"ATTRIB. OBJETS", place, attributes[AssociatedWord]);
        }
    }
}

// The words that trigger a minor event: a command has words from the first
// on, so every position up to the last word named must be matched by a
// recognised word (255 there stands for the vocabulary's word 255 itself).
void checkEventWords(const MinorEvent& event, const std::u16string& eventPlace) {
    int last = 0;
    for (int k = 0; k < WordsPerMinorEvent; ++k) {
        if (event.words[k] != NoWord) last = k;
    }
    for (int k = 0; k < WordsPerMinorEvent; ++k) {
        const int64_t word = event.words[k];
        const std::u16string place = eventPlace + u", " + wordFieldTitles[k];
        if (reportOutOfRange(u"EVTS. MINEURS", place, word, 0, NoWord) || k > last || hasSpelling(word)) continue;
        if (k == 0 && word == NoWord) {
            report(EventWithoutVerb, u"EVTS. MINEURS", place);
        } else {
            report(WordWithoutSpelling, u"EVTS. MINEURS", place, word);
        }
    }
}

// One argument of a step against what it refers to.
void checkArgument(ArgumentKind kind, int64_t value, const char16_t* page, const std::u16string& place) {
    if (kind == NoArgument || kind == ValueArgument) return;
    if (reportOutOfRange(page, place, value, 0, TableSize - 1)) return;
    switch (kind) {
        case ObjectArgument:
            if (adventure.objectTexts[value].empty()) report(ObjectWithoutText, page, place, value);
            break;
        case RoomArgument:
            if (value > LastRoom) {
                report(NotARoom, page, place, value);
            } else if (adventure.roomTexts[value].empty()) {
                report(RoomWithoutText, page, place, value);
            }
            break;
        case LocationArgument:
            if (value <= LastRoom && adventure.roomTexts[value].empty()) report(RoomWithoutText, page, place, value);
            break;
        case MessageArgument:
            if (adventure.messageTexts[value].empty()) report(EmptyMessage, page, place, value);
            break;
        default:
            break;
    }
}

// What one step in use gives the remarks.
void noteUses(StepList list, const EventStep& step, const char16_t* page, const std::u16string& place,
              EventUses& uses) {
    const bool arg1 = isTableIndex(step.arg1);
    const bool arg2 = isTableIndex(step.arg2);
    if (list == ConditionList) {
        if (arg1 && stepArgumentKind(list, step.type, 1) == FlagArgument && uses.flagTestPage[step.arg1] == nullptr) {
            uses.flagTestPage[step.arg1] = page;
            uses.flagTestPlace[step.arg1] = place;
        }
        return;
    }
    switch (step.type) {
        case AjouteAuFlag:
        case DonneAuFlag:
        case MetFlag:
            if (arg1) uses.flagSet[step.arg1] = true;
            break;
        case CreeObjet:
        case CreeObjetEn:
            if (arg1) uses.objectCreated[step.arg1] = true;
            break;
        case EchangeObjets:
            // An object out of the world swapped with one in it comes in.
            if (arg1) uses.objectCreated[step.arg1] = true;
            if (arg2) uses.objectCreated[step.arg2] = true;
            break;
        case AllerEn:
            if (arg1) uses.roomEntered[step.arg1] = true;
            break;
        default:
            break;
    }
}

void checkSteps(const EventStep* steps, StepList list, const char16_t* page, const std::u16string& eventPlace,
                EventUses& uses) {
    const int64_t typeCount = list == ActionList ? int64_t{ActionTypeCount} : int64_t{ConditionTypeCount};
    for (int slot = 0; slot < StepsPerList && steps[slot].type != EndOfList; ++slot) {
        const EventStep& step = steps[slot];
        const std::u16string place =
            eventPlace + (list == ActionList ? u", action " : u", condition ") + integerToText(slot + 1);
        if (step.type < 0 || step.type >= typeCount) {
            report(list == ActionList ? UnknownAction : UnknownCondition, page, place, step.type);
            continue;
        }
        checkArgument(stepArgumentKind(list, step.type, 1), step.arg1, page, place);
        checkArgument(stepArgumentKind(list, step.type, 2), step.arg2, page, place);
        noteUses(list, step, page, place, uses);
    }
}

// Events are numbered from 1 as their page shows them ("3 / 39").
int64_t usableCount(int64_t count) {
    return std::clamp<int64_t>(count, 1, MaxEvents);
}

void checkEvents(EventUses& uses) {
    for (int64_t e = 0; e < usableCount(adventure.minorEventCount); ++e) {
        const MinorEvent& event = adventure.minorEvents[e];
        const std::u16string place = u"événement " + integerToText(e + 1);
        // An event with no action does nothing whether it fires or not, like
        // the empty first event of a new adventure.
        if (event.actions[0].type != EndOfList) checkEventWords(event, place);
        checkSteps(event.conditions, ConditionList, u"EVTS. MINEURS", place, uses);
        checkSteps(event.actions, ActionList, u"EVTS. MINEURS", place, uses);
    }
    for (int64_t e = 0; e < usableCount(adventure.majorEventCount); ++e) {
        const MajorEvent& event = adventure.majorEvents[e];
        const std::u16string place = u"événement " + integerToText(e + 1);
        checkSteps(event.conditions, ConditionList, u"EVTS. MAJEURS", place, uses);
        checkSteps(event.actions, ActionList, u"EVTS. MAJEURS", place, uses);
    }
}

// Rooms reached from room 0 or from a room an "Aller en" leads to, through
// any chain of exits.
void checkRoomsReached(const EventUses& uses) {
    bool reached[TableSize] = {};
    int64_t queue[TableSize];
    int count = 0;
    for (int room = 0; room <= LastRoom; ++room) {
        if (room == 0 || uses.roomEntered[room]) {
            reached[room] = true;
            queue[count++] = room;
        }
    }
    for (int at = 0; at < count; ++at) {
        for (const int64_t exit : adventure.exits[queue[at]]) {
            if (exit < 0 || exit > LastRoom || reached[exit]) continue;
            reached[exit] = true;
            queue[count++] = exit;
        }
    }
    for (int room = 0; room <= LastRoom; ++room) {
        if (!reached[room] && isRoomWithText(room)) report(RoomNeverReached, u"DEPLACEMENTS", roomPlace(room));
    }
}

void checkRemarks(const EventUses& uses) {
    checkRoomsReached(uses);
    for (int object = 0; object < TableSize; ++object) {
        if (adventure.objectTexts[object].empty() || adventure.objectLocations[object] != NotCreated) continue;
        if (!uses.objectCreated[object]) report(ObjectNeverCreated, u"PLACER OBJETS", objectPlace(object));
    }
    for (int flag = 0; flag < TableSize; ++flag) {
        if (uses.flagTestPage[flag] != nullptr && !uses.flagSet[flag]) {
            report(FlagNeverSet, uses.flagTestPage[flag], uses.flagTestPlace[flag], flag);
        }
    }
}

}  // namespace

AdventureCheck checkAdventure() {
    AdventureCheck result;
    check = &result;
    EventUses uses;
    // Every error is found before the first remark, so the list keeps the
    // errors first even when it is cut.
    checkRooms();
    checkObjects();
    checkEvents(uses);
    checkRemarks(uses);
    check = nullptr;
    return result;
}

Severity ruleSeverity(CheckRule rule) {
    return rules[rule].severity;
}

std::u16string findingLine(const Finding& finding) {
    std::u16string line = ruleSeverity(finding.rule) == Severity::Error ? u"erreur : " : u"remarque : ";
    line += std::u16string(finding.page) + u", " + finding.place + u" : ";
    for (const char16_t* at = rules[finding.rule].text; *at != 0; ++at) {
        if (at[0] == u'%' && at[1] >= u'1' && at[1] <= u'3') {
            line += integerToText(finding.values[at[1] - u'1']);
            ++at;
        } else {
            line += *at;
        }
    }
    return line;
}

std::u16string omittedFindingsLine(const AdventureCheck& finished) {
    const int64_t omitted = finished.errors + finished.remarks - static_cast<int64_t>(finished.findings.size());
    if (omitted <= 0) return std::u16string();
    return u"… et " + integerToText(omitted) + u" autres constats, non listés";
}
