// Reverb and chorus around a song: the song's own while it plays, the live
// settings again when it ends.
#pragma once

// Controller 91 = the song's reverb, then 93 = its chorus, each on every
// channel but 9, ascending.
void SendSongEffects();
// The same with the live reverb and chorus levels (0..10 scaled to 0..127).
void SendLiveEffects();
