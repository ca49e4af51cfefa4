#!/bin/sh
# Starts an installed Orvalde program (installed as bin/orvalde and as
# bin/orvalde-headless; the name says which) in the user's own working folder,
# $XDG_DATA_HOME/orvalde or else ~/.local/share/orvalde.
#
# The programs work in their current directory, which must hold "Images",
# "Fonts" and "Projets". On first start the folder is made: "Projets" with a
# copy of the demonstration "chateau", and links to the installed "Images" and
# "Fonts". Nothing the user has there is ever replaced or deleted: an existing
# "Projets" is kept as it is (a later installation does not touch the user's
# copy of the demonstration), and only links into an installation, or leading
# nowhere, are pointed again at the installation that runs. Two launchers may
# start at once: everything is made under a fresh name in a folder of this
# launcher's own, then put in place in one step; nothing is ever made inside
# the installation. Arguments pass through; the headless runner's script and
# the picture that --carte writes and the folder that --publier writes, named
# relatively, are taken from the folder the launcher was started in.
set -u

say() {
    echo "$(basename "$0"): $*" >&2
}

self=$(readlink -f "$0") || self=$0
prefix=$(cd "$(dirname "$self")/.." && pwd -P) || exit 1
name=$(basename "$0")
case $name in
    orvalde-headless*) program=orvalde-headless ;;
    *) program=orvalde ;;
esac
binary="$prefix/libexec/orvalde/$program"
share="$prefix/share/orvalde"
if [ ! -x "$binary" ] || [ ! -d "$share" ]; then
    say "installation incomplete: $binary or $share is missing"
    exit 1
fi

# The usage needs no working folder.
for argument in "$@"; do
    [ "$argument" = --help ] && exec "$binary" "$@"
done

# The headless runner's script, the picture of --carte and the folder
# --publier writes are the last argument: named relatively, they are found
# from here, before the change of directory.
if { [ "$program" = orvalde-headless ] || [ "${1:-}" = --carte ] || [ "${1:-}" = --publier ]; } && [ $# -gt 0 ]; then
    count=$#
    index=0
    for argument in "$@"; do
        index=$((index + 1))
        shift
        if [ "$index" -eq "$count" ]; then
            case $argument in
                /* | -*) ;;
                *) argument="$PWD/$argument" ;;
            esac
        fi
        set -- "$@" "$argument"
    done
fi

# XDG_DATA_HOME counts only when it is an absolute path.
case ${XDG_DATA_HOME:-} in
    /*) data_home=$XDG_DATA_HOME ;;
    *)
        if [ -z "${HOME:-}" ]; then
            say "neither XDG_DATA_HOME nor HOME is set: no folder to work in"
            exit 1
        fi
        data_home=$HOME/.local/share
        ;;
esac
folder="$data_home/orvalde"

# (A folder made meanwhile by another start is taken as it is.)
if [ ! -e "$folder" ] && [ ! -L "$folder" ]; then
    mkdir -p "$folder" || exit 1
fi
if [ ! -d "$folder" ]; then
    say "$folder exists but is not a folder; move it away to use Orvalde"
    exit 1
fi

# What this launcher puts in place is made first in a folder of its own, under
# a fresh name no one else uses, and moved from there in one step; what is
# left of that folder is removed, and nothing else.
staging=""
trap '[ -z "$staging" ] || rm -rf "$staging"' EXIT
stage() {
    [ -n "$staging" ] || staging=$(mktemp -d "$folder/.orvalde-XXXXXX")
}

# "Projets" with the demonstration: an interrupted first start leaves no
# half-made "Projets", and one that another start has put in place first is
# never replaced.
if [ ! -e "$folder/Projets" ] && [ ! -L "$folder/Projets" ]; then
    if stage && cp -R "$share/Projets" "$staging/Projets"; then
        mv -Tn "$staging/Projets" "$folder/Projets"
    fi
    [ -e "$folder/Projets" ] || [ -L "$folder/Projets" ] || mkdir "$folder/Projets" 2>/dev/null
fi
if [ ! -d "$folder/Projets" ]; then
    say "$folder/Projets is not a folder; move it away to use Orvalde"
    exit 1
fi

# "Images" and "Fonts": links to this installation. A link into another
# installation, or leading nowhere, is pointed again at this one; a folder or
# a link of the user's own is used as it is. The new link replaces the old
# one in one step, and never a folder.
for resource in Images Fonts; do
    target="$folder/$resource"
    point=false
    if [ -L "$target" ]; then
        case $(readlink "$target") in
            "$share/$resource") ;;
            */share/orvalde/"$resource") point=true ;;
            *) [ -e "$target" ] || point=true ;;
        esac
    elif [ ! -e "$target" ]; then
        point=true
    elif [ ! -d "$target" ]; then
        say "$target is not a folder; move it away to use Orvalde"
        exit 1
    fi
    if $point; then
        stage && ln -sT "$share/$resource" "$staging/$resource" && mv -Tf "$staging/$resource" "$target" || exit 1
    fi
done

[ -z "$staging" ] || rm -rf "$staging"
trap - EXIT
cd "$folder" || exit 1
exec "$binary" "$@"
