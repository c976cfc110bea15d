#include "ui/texts.h"

// General MIDI Level 1 names, some shortened to fit the voice fields; the five
// guitars from 24 and the four saxophones from 64 are padded to 12 characters
// so that their last words line up in the fixed-pitch voice list.
const char* const g_VoiceName[kProgramCount] = {
    // Piano
    "Acoustic Piano", "Bright Acoustic Piano", "Electric Grand Piano", "Honky-tonk Piano",
    "Electric Piano 1", "Electric Piano 2", "Harpsichord", "Clavi",
    // Chromatic percussion
    "Celesta", "Glockenspiel", "Music Box", "Vibraphone", "Marimba", "Xylophone", "Tubular Bells",
    "Dulcimer",
    // Organ
    "Drawbar Organ", "Percussive Organ", "Rock Organ", "Church Organ", "Reed Organ",
    "Accordion", "Harmonica", "Tango Accordion",
    // Guitar
    "Nylon Guitar", "Steel Guitar", "Jazz  Guitar", "Clean Guitar", "Muted Guitar",
    "Overdriven Guitar", "Distortion Guitar", "Guitar harmonics",
    // Bass
    "Acoustic Bass", "Electric Bass (finger)", "Electric Bass (pick)", "Fretless Bass",
    "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2",
    // Strings
    "Violin", "Viola", "Cello", "Contrabass", "Tremolo Strings", "Pizzicato Strings",
    "Orchestral Harp", "Timpani",
    // Ensemble
    "String Ensemble 1", "String Ensemble 2", "SynthStrings 1", "SynthStrings 2", "Voice Aahs",
    "Voice Oohs", "Synth Voice", "Orchestra Hit",
    // Brass
    "Trumpet", "Trombone", "Tuba", "Muted Trumpet", "French Horn", "Brass Section",
    "SynthBrass 1", "SynthBrass 2",
    // Reed
    "Soprano  Sax", "Alto     Sax", "Tenor    Sax", "Baritone Sax", "Oboe", "English Horn",
    "Bassoon", "Clarinet",
    // Pipe
    "Piccolo", "Flute", "Recorder", "Pan Flute", "Bottle Blow", "Shakuhachi", "Whistle",
    "Ocarina",
    // Synth lead
    "Lead 1 (square)", "Lead 2 (sawtooth)", "Lead 3 (calliope)", "Lead 4 (chiff)",
    "Lead 5 (charang)", "Lead 6 (voice)", "Lead 7 (fifths)", "Lead 8 (bass + lead)",
    // Synth pad
    "Pad 1 (new age)", "Pad 2 (warm)", "Pad 3 (polysynth)", "Pad 4 (choir)", "Pad 5 (bowed)",
    "Pad 6 (metallic)", "Pad 7 (halo)", "Pad 8 (sweep)",
    // Synth effects
    "FX 1 (rain)", "FX 2 (soundtrack)", "FX 3 (crystal)", "FX 4 (atmosphere)",
    "FX 5 (brightness)", "FX 6 (goblins)", "FX 7 (echoes)", "FX 8 (sci-fi)",
    // Ethnic
    "Sitar", "Banjo", "Shamisen", "Koto", "Kalimba", "Bagpipe", "Fiddle", "Shanai",
    // Percussive
    "Tinkle Bell", "Agogo", "Steel Drums", "Woodblock", "Taiko Drum", "Melodic Tom",
    "Synth Drum", "Reverse Cymbal",
    // Sound effects
    "Guitar Fret Noise", "Breath Noise", "Seashore", "Bird Tweet", "Telephone Ring",
    "Helicopter", "Applause", "Gunshot",
};

namespace {
constexpr const char* kNeckHint =
    " [1] >>Solo, [2] >>2 Notes, [3] >>3 Notes, [4] >>closed 4 Notes, [5] >>dispersive 4 Notes, "
    "[0] >>Stroke, [mouse L] >>Pedal-1, [mouse R] >>Pedal-2 ";
constexpr const char* kVoiceHint = " Left Click >> Change Voice ";
constexpr const char* kStepHint = " Left Click >> Increment,  Right Click >> Decrement ";
}  // namespace

const char* const g_HintText[kHintCount] = {
    "", "", "", "", "", "",                          // 0..5 page and window buttons
    kNeckHint,                                       // 6 upper neck
    "", "", "", "", "", "", "", "",                  // 7..14 tuning sets
    kVoiceHint, kVoiceHint,                          // 15, 16
    kStepHint, kStepHint, kStepHint, kStepHint,      // 17..20
    kNeckHint,                                       // 21 lower neck
    "", "", "", "", "", "", "", "",                  // 22..29
    kVoiceHint, kVoiceHint,                          // 30, 31
    kStepHint, kStepHint, kStepHint, kStepHint,      // 32..35
    "", "", "", "",                                  // 36..39 spin buttons
};
