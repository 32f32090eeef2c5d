#!/usr/bin/env bash
# Synthesises the game's short sound effects with sox into assets/Sounds/: "Hit.wav" (a racer
# bumping into a wall: a low thud, played louder the harder the hit), "Finish.wav" (a racer
# crossing the finish: a rising two-note chime) and "Click.wav" (a button pressed). Each is well
# under half a second, mono, 22050 Hz, 16 bit. Only pure tones, no noise, and no dither: every
# run writes the same bytes. TUMBLELEAF_CONTENT_DIR, when set, names another folder to write into
# instead of assets/.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${TUMBLELEAF_CONTENT_DIR:-assets}/Sounds"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sox=(sox -R -D)
fmt=(-r 22050 -c 1 -b 16)

# One plain tone into the scratch folder: name, length, then sox synth arguments.
tone() {
    local name=$1 length=$2
    shift 2
    "${sox[@]}" -n "${fmt[@]}" "$work/$name.wav" synth "$length" "$@"
}

# Thud: a sine falling from 140 to 45 Hz over a lower one, muffled and dying away fast.
tone thud-high 0.18 sine 140/45
tone thud-low 0.18 sine 70/40
"${sox[@]}" -m -v 0.6 "$work/thud-high.wav" -v 0.4 "$work/thud-low.wav" "${fmt[@]}" \
    "$out/Hit.wav" lowpass 500 fade q 0.004 0.18 0.16 norm -1

# Chime: E6 then B6, each with a quieter octave above it, the second ringing out from under the
# first.
note() {
    local name=$1 pitch=$2 octave=$3 length=$4
    tone "$name-$pitch" "$length" sine "$pitch"
    tone "$name-$octave" "$length" sine "$octave"
    "${sox[@]}" -m -v 0.7 "$work/$name-$pitch.wav" -v 0.25 "$work/$name-$octave.wav" \
        "$work/$name.wav" fade l 0.005 "$length" "$length"
}
note low E6 E7 0.16
note high B6 B7 0.34
"${sox[@]}" "$work/high.wav" "$work/high-late.wav" pad 0.09
"${sox[@]}" -m "$work/low.wav" "$work/high-late.wav" "${fmt[@]}" "$out/Finish.wav" norm -3

# Click: a few milliseconds of a bright square wave, cut off almost at once.
"${sox[@]}" -n "${fmt[@]}" "$out/Click.wav" \
    synth 0.03 square 2000 gain -6 highpass 800 fade q 0.001 0.03 0.027 norm -6

for sound in Hit Finish Click; do
    echo "wrote $out/$sound.wav ($(soxi -D "$out/$sound.wav") s)"
done
