// The part of start-up that both the program and the headless system run
// between creating the view and opening the port: settings, tables, channels.
#pragma once

// Loads every setting, resets the play position and the pending mouse move,
// builds the note names, note numbers and guides, clears the pedal bends and
// allocates the channel pairs of both necks.
void LoadAndBuildInstrument();
