#!/usr/bin/env bash
# Copies courses into a folder the page fetches, with list.txt naming them one a line.
# usage: stage_folder.sh FOLDER COURSE.dat...
set -euo pipefail
folder=$1
shift
rm -rf "$folder"
mkdir -p "$folder"
: >"$folder/list.txt"
for course in "$@"; do
    cp "$course" "$folder/"
    basename "$course" >>"$folder/list.txt"
done
