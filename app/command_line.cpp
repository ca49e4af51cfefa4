// The options of the two programs.
#include "app/command_line.h"

#include <cstring>

ProgramArguments parseProgramArguments(int argc, char** argv, bool headless) {
    ProgramArguments arguments;
    int at = 1;
    if (at < argc && (std::strcmp(argv[at], "--help") == 0 || std::strcmp(argv[at], "-h") == 0)) {
        arguments.mode = argc == 2 ? ProgramArguments::Help : ProgramArguments::Wrong;
        return arguments;
    }
    if (at < argc && std::strcmp(argv[at], "--carte") == 0) {
        arguments.mode = argc == 4 ? ProgramArguments::Map : ProgramArguments::Wrong;
        if (argc == 4) {
            arguments.project = argv[2];
            arguments.picture = argv[3];
        }
        return arguments;
    }
    if (at < argc && std::strcmp(argv[at], "--publier") == 0) {
        // Both programs publish alike; the headless runner needs no script.
        arguments.mode = argc == 4 && argv[3][0] != '\0' ? ProgramArguments::Publish : ProgramArguments::Wrong;
        if (arguments.mode == ProgramArguments::Publish) {
            arguments.project = argv[2];
            arguments.site = argv[3];
        }
        return arguments;
    }
    const bool player = at < argc && std::strcmp(argv[at], "--jouer") == 0;
    const bool checker = at < argc && std::strcmp(argv[at], "--verifier") == 0;
    if (player || checker) {
        if (at + 1 >= argc) {
            arguments.mode = ProgramArguments::Wrong;
            return arguments;
        }
        arguments.mode = player ? ProgramArguments::Player : ProgramArguments::Checker;
        arguments.project = argv[at + 1];
        at += 2;
        // The options of a play, in any order, each once.
        while (player && at < argc) {
            if (!arguments.inspector && std::strcmp(argv[at], "--inspecteur") == 0) {
                arguments.inspector = true;
                at += 1;
            } else if (arguments.recording.empty() && std::strcmp(argv[at], "--enregistrer") == 0 && at + 1 < argc &&
                       argv[at + 1][0] != '\0') {
                arguments.recording = argv[at + 1];
                at += 2;
            } else {
                break;
            }
        }
    }
    // A check reads no script: it plays nothing.
    const bool scripted = headless && !checker;
    if (scripted && at < argc && argv[at][0] != '-') arguments.script = argv[at++];
    // Anything left, an unknown option, or a runner without its script; or a
    // recording that would replace the very script the runner plays.
    const bool recordingOverScript = !arguments.recording.empty() && arguments.recording == arguments.script;
    if (at < argc || (scripted && arguments.script.empty()) || recordingOverScript)
        arguments.mode = ProgramArguments::Wrong;
    return arguments;
}

void printUsage(FILE* stream) {
    std::fputs(
        "Utilisation :\n"
        "  orvalde                                     ouvre l'éditeur d'aventures\n"
        "  orvalde --jouer NOM                         joue l'aventure du projet Projets/NOM, sans l'éditeur\n"
        "      --inspecteur                            F1 montre ou cache l'inspecteur pendant la partie\n"
        "      --enregistrer FICHIER                   enregistre la partie dans FICHIER, un script qui la rejoue\n"
        "  orvalde --verifier NOM                      vérifie l'aventure du projet Projets/NOM : une ligne par\n"
        "                                              erreur ou remarque ; code de sortie 0 sans erreur, 4 avec\n"
        "                                              au moins une, 1 si le projet ne peut pas être chargé\n"
        "  orvalde --carte NOM FICHIER.svg             écrit la carte des salles et des sorties du projet\n"
        "                                              Projets/NOM dans FICHIER.svg, sans fenêtre\n"
        "  orvalde --publier NOM DOSSIER               écrit dans DOSSIER le site web qui joue le projet NOM\n"
        "  orvalde --help                              affiche cette aide\n"
        "  orvalde-headless SCRIPT                     le même programme sans fenêtre, piloté par un script\n"
        "  orvalde-headless --jouer NOM SCRIPT         joue le projet NOM sans fenêtre, piloté par un script\n"
        "                                              (avec --inspecteur et --enregistrer FICHIER comme orvalde)\n"
        "  orvalde-headless --verifier NOM             la même vérification que orvalde --verifier NOM\n"
        "  orvalde-headless --carte NOM FICHIER.svg    écrit la carte du projet NOM, comme orvalde --carte\n"
        "  orvalde-headless --publier NOM DOSSIER      comme orvalde --publier\n"
        "  orvalde-headless --help                     affiche cette aide\n"
        "Les deux programmes travaillent dans le dossier courant, qui contient Images, Fonts et Projets.\n",
        stream);
}
