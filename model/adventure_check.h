// The check of the adventure in memory before it is played: what breaks play
// (an error) and what is likely a mistake (a remark), each finding naming the
// editor page where it is mended and the numbers involved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Severity { Error, Remark };

// What a finding says, one entry of the table of rules in adventure_check.cpp.
enum CheckRule {
    StartRoomWithoutText,
    RoomWithoutText,
    NotARoom,
    ObjectWithoutText,
    EmptyMessage,
    EventWithoutVerb,
    WordWithoutSpelling,
    UnnamedObject,
    UnknownCondition,
    UnknownAction,
    ValueOutOfRange,
    RoomNeverReached,
    ObjectNeverCreated,
    FlagNeverSet,
    CheckRuleCount
};

struct Finding {
    CheckRule rule;
    const char16_t* page;  // the page's title on the menu, "DEPLACEMENTS"
    std::u16string place;  // where on that page, "salle 0, Est"
    int64_t values[3];     // the numbers the rule's text names, in order
};

// Every finding of one check, errors first. Only the first MaxListedFindings
// are kept (an adventure from a file may hold hundreds of thousands); the
// counts count them all.
struct AdventureCheck {
    std::vector<Finding> findings;
    int64_t errors = 0;
    int64_t remarks = 0;
};
constexpr int64_t MaxListedFindings = 10000;

AdventureCheck checkAdventure();

Severity ruleSeverity(CheckRule rule);

// The finding as one line: "erreur : DEPLACEMENTS, salle 0, Est : la salle 7
// n'a pas de texte".
std::u16string findingLine(const Finding& finding);

// The line that ends a list cut at MaxListedFindings; empty when nothing was
// left out.
std::u16string omittedFindingsLine(const AdventureCheck& check);
