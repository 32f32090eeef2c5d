#!/usr/bin/env bash
# Synthesises the race music loop, assets/Music/GameSound.wav, with sox: drums, a bouncing bass
# and a plucked arpeggio over C, A minor, F and G, eight bars at 150 beats per minute (12.8 s).
# A sixteenth note is exactly 2205 samples at 22050 Hz, so the loop stays in time and joins up
# without a seam. Nothing is random: every run writes the same file. TUMBLELEAF_CONTENT_DIR, when
# set, names another folder to write into instead of assets/.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${TUMBLELEAF_CONTENT_DIR:-assets}/Music/GameSound.wav"
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

step=2205       # samples in a sixteenth note at 22050 Hz
steps=128       # eight bars of sixteen
fmt=(-r 22050 -c 1 -b 16)
# Sounds are synthesised at 44100 Hz (sox's pluck needs it), where a step is 4410 samples, and
# written at 22050 Hz; sox's repeatable random numbers make the drums' noise the same each run.
hi=$((2 * step))
synth=(sox -R -r 44100 -n "${fmt[@]}")

# One step of sound: name, then sox synth arguments.
sound() {
    local name=$1
    shift
    "${synth[@]}" "$work/$name.wav" synth "${hi}s" "$@" fade 0 "${hi}s" 3200s
}
sound rest sine 0 vol 0
sound kick sine 160/45 vol 0.9
sound snare noise vol 0.35 highpass 900 lowpass 6000
"${synth[@]}" "$work/hat.wav" synth 1000s noise vol 0.2 highpass 7000 fade 0 1000s 840s \
    pad 0 "$((hi - 1000))s"

# A track: one file name per step, joined into one file.
track() {
    local name=$1
    shift
    local files=()
    for sample in "$@"; do
        files+=("$work/$sample.wav")
    done
    sox -R "${files[@]}" "$work/track-$name.wav"
}

kick=() snare=() hat=()
for ((i = 0; i < steps; i++)); do
    s=$((i % 16))
    if ((s % 4 == 0 || s == 10)); then kick+=(kick); else kick+=(rest); fi
    if ((s == 4 || s == 12)); then snare+=(snare); else snare+=(rest); fi
    if ((s % 2 == 1)); then hat+=(hat); else hat+=(rest); fi
done
track kick "${kick[@]}"
track snare "${snare[@]}"
track hat "${hat[@]}"

# Bass: eighth notes on the root, jumping an octave on the off-beats.
roots=(C2 C2 A1 A1 F1 F1 G1 G1)
uppers=(C3 C3 A2 A2 F2 F2 G2 G2)
bass=()
for ((bar = 0; bar < 8; bar++)); do
    for note in "${roots[bar]}" "${uppers[bar]}"; do
        [ -f "$work/bass-$note.wav" ] || sound "bass-$note" square "$note" vol 0.35 lowpass 900
    done
    for ((s = 0; s < 16; s++)); do
        if ((s % 2 == 1)); then bass+=(rest)
        elif ((s % 4 == 0)); then bass+=("bass-${roots[bar]}")
        else bass+=("bass-${uppers[bar]}"); fi
    done
done
track bass "${bass[@]}"

# Lead: a sixteenth-note arpeggio over each bar's chord, turned upside down in the second half.
chords=("C4 E4 G4 C5" "C4 E4 G4 C5" "A3 C4 E4 A4" "A3 C4 E4 A4"
        "F3 A3 C4 F4" "F3 A3 C4 F4" "G3 B3 D4 G4" "B3 D4 G4 B4")
lead=()
for ((bar = 0; bar < 8; bar++)); do
    read -r -a tones <<< "${chords[bar]}"
    for tone in "${tones[@]}"; do
        [ -f "$work/lead-$tone.wav" ] || sound "lead-$tone" pluck "$tone" vol 0.45
    done
    for ((s = 0; s < 16; s++)); do
        k=$((s % 4))
        ((bar >= 4 && s >= 8)) && k=$((3 - k))
        if ((s == 14 || s == 15)) && ((bar % 2 == 1)); then lead+=(rest)
        else lead+=("lead-${tones[k]}"); fi
    done
done
track lead "${lead[@]}"

sox -R -m "$work"/track-*.wav "${fmt[@]}" "$out" trim 0 "$((steps * step))s" norm -3
echo "wrote $out ($(soxi -D "$out") s)"
