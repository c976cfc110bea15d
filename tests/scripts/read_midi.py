#!/usr/bin/python3
# Independent reader of an exported MIDI file: prints one line per channel
# message, "<time in ms> <status> <data1> [<data2>]" (decimal), using mido.
import sys

import mido

f = mido.MidiFile(sys.argv[1])
if f.type != 0 or len(f.tracks) != 1:
    sys.exit("not a format 0 file")
print("ticks_per_beat", f.ticks_per_beat)
tempo = 500000
now_ms = 0.0
for msg in f.tracks[0]:
    now_ms += mido.tick2second(msg.time, f.ticks_per_beat, tempo) * 1000.0
    if msg.is_meta:
        if msg.type == "set_tempo":
            tempo = msg.tempo
            print("tempo", tempo)
        continue
    print("%.3f %s" % (now_ms, " ".join(str(b) for b in msg.bytes())))
