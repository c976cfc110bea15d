// The parts of start-up and close that both the program and the headless
// system run: settings, tables and channels at start; at close, what is still
// playing or typed is settled before the settings are written.
#pragma once

// Loads every setting, resets the play position and the pending mouse move,
// builds the note names, note numbers and guides, clears the pedal bends and
// allocates the channel pairs of both necks.
void LoadAndBuildInstrument();

// Close, after the timers have stopped: a song still playing is stopped (its
// tuning and voices give way to the player's own), and tuning names typed on
// the editor page are taken as the close button takes them.
void SettleInstrumentForExit();
