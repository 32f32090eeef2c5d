#!/usr/bin/env bash
# Synthesises the menu music loop, assets/Music/TestLoop.wav: a gentle arpeggio over a soft pad,
# sixteen beats at 96 beats per minute, so it loops without a seam.
set -euo pipefail
cd "$(dirname "$0")/.."
out=assets/Music/TestLoop.wav
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

beat=0.625   # seconds per beat at 96 bpm
notes=(A3 C4 E4 A4  F3 A3 C4 F4  C4 E4 G4 C5  G3 B3 D4 G4)
i=0
for note in "${notes[@]}"; do
    sox -n -r 22050 -c 1 -b 16 "$work/n$(printf %02d $i).wav" \
        synth "$beat" pluck "$note" fade q 0.005 "$beat" 0.3 vol 0.5
    i=$((i + 1))
done
sox "$work"/n*.wav "$work/melody.wav"

chords=("A2" "F2" "C3" "G2")
i=0
for root in "${chords[@]}"; do
    sox -n -r 22050 -c 1 -b 16 "$work/c$i.wav" \
        synth 2.5 sine "$root" sine "$root" fade h 0.3 2.5 0.3 vol 0.25
    i=$((i + 1))
done
sox "$work"/c*.wav "$work/pad.wav"

sox -m "$work/melody.wav" "$work/pad.wav" -r 22050 -c 1 -b 16 "$out" norm -3
echo "wrote $out ($(soxi -D "$out") s)"
