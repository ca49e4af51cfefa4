#!/usr/bin/env bash
# Layers, bottom to top: platform, model, engine, editor, app. A source of one
# of them includes nothing from a layer above its own, nor from tests, tools or
# demo (which may include anything). Prints every include that does, and fails.
# Usage: include_layers.sh SOURCE_FOLDER
cd "$1" || exit 1
layers=(platform model engine editor app)
wrong=0
for own in 0 1 2 3 4; do
    for above in "${layers[@]:own+1}" tests tools demo; do
        grep -rnE "^#include \"$above/" "${layers[own]}" --include='*.cpp' --include='*.h' && wrong=1
    done
done
[ $wrong = 0 ] && echo "every include points down"
exit $wrong
