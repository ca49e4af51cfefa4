#!/usr/bin/env bash
# Takes the screenshots of the author's guide, docs/images/*.png, with the
# headless runner: the editor with the demonstration "Le château" loaded,
# each of its pages, and a test play with its inspector; and the map of the
# demonstration as an SVG picture, docs/images/carte.svg.
#
#     tools/make_guide_screenshots.sh [BUILD FOLDER]    (default: build)
#
# The program runs in a scratch copy of the build's working folder, so
# nothing of build/run changes.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
images="$root/docs/images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$build/run/Images" "$build/run/Fonts" "$work/"
mkdir "$work/Projets"
cp -R "$build/demo/chateau" "$work/Projets/"
mkdir -p "$images"

# A click on the menu entry of page N (1 to 16, two per row; 17, VERIFIER,
# alone below the layout settings).
menu() {
    if [ "$1" = 17 ]; then echo "click 208 555"; return; fi
    echo "click $((33 + 383 * (($1 - 1) % 2) + 175)) $((35 * (($1 - 1) / 2 + 1) + 15))"
}
# The script: leave the introduction, load the project, then visit the pages.
{
    echo "key return"
    menu 12                    # CHARGER FICHIER
    echo "click 400 120"       # the project's line
    echo "shot $images/charger.png"
    echo "click 400 475"       # MENU
    echo "shot $images/menu.png"
    menu 1
    for _ in 1 2 3 4; do echo "key pagedown"; done   # down the list, to the story's own words
    echo "shot $images/vocabulaire.png"
    echo "key escape"
    menu 2
    for _ in 1 2 3 4 5 6; do echo "wheel 1"; done
    echo "shot $images/messages.png"
    echo "key escape"
    menu 3
    echo "shot $images/salles.png"
    echo "key escape"
    menu 4
    echo "click 763 468"       # the exit north, named above the panel
    echo "shot $images/deplacements.png"
    echo "key escape"
    echo "click 591 555"       # CARTE, beside VERIFIER below the layout settings
    echo "shot $images/carte.png"
    echo "key escape"
    menu 5
    for _ in 1 2 3 4; do echo "wheel 1"; done
    echo "shot $images/objets.png"
    echo "key escape"
    menu 6
    echo "shot $images/placer.png"
    echo "key escape"
    menu 13
    echo "shot $images/attributs.png"
    echo "key escape"
    menu 7
    for _ in 1 2 3 4 5; do echo "click 50 485"; done   # SUIV to the guard beaten
    echo "shot $images/mineurs-conditions.png"
    echo "click 270 68"        # the switch to the actions
    echo "click 580 190"       # the message's number, named above the list
    echo "shot $images/mineurs-actions.png"
    echo "key escape"
    menu 8
    echo "click 270 68"
    echo "shot $images/majeurs.png"
    echo "key escape"
    menu 9
    echo "shot $images/systemes.png"
    echo "key escape"
    menu 10
    echo "shot $images/multimedia.png"
    echo "key escape"
    menu 11
    echo "shot $images/sauver.png"
    echo "key escape"
    menu 14                    # TESTER JEU
    echo "shot $images/introduction.png"
    echo "key return"
    for command in sud "prends l'epee" "cueille des fleurs"; do
        echo "type $command"
        echo "key return"
    done
    echo "shot $images/partie.png"
    # The guard attacked with the sword still in the bag, then the inspector.
    for command in nord "attaque le garde"; do
        echo "type $command"
        echo "key return"
    done
    echo "key f1"
    echo "shot $images/etat-de-la-partie.png"
    echo "key escape"
    # Three mistakes made on purpose, then the check: an exit to a room
    # without text, the sword's word taken away, a room that nothing reaches.
    menu 4
    echo "click 343 468"       # the exit east of room 0
    echo "wheel 10"
    echo "key escape"
    menu 13
    echo "click 73 304"        # the sword's word
    echo "wheel -15"
    echo "key escape"
    menu 3
    echo "wheel 20"
    echo "click 50 350"        # EDIT
    echo "type Une tour que rien ne relie au château."
    echo "key return"
    echo "key escape"
    menu 17
    echo "shot $images/verifier.png"
    echo "key escape"
    echo "key escape"
} > "$work/script.txt"

cd "$work"
"$build/orvalde-headless" script.txt > output.txt
"$build/orvalde-headless" --carte chateau "$images/carte.svg"
echo "Screenshots written to $images"
