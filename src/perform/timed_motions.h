// What moves by itself in live playing, each step posted by a timer: the
// stroke's strings 20 ms apart, the pedal glide 30 units every 30 ms, and the
// delivery of the latest mouse move every 20 ms.
#pragma once

// Message 32010: hands the waiting mouse move, if any, to the view.
void OnDeferredMouseMove();
// Message 32008: sounds the next string of the running stroke.
void OnStrokeTick();
// Message 32009: moves every pedal bend one step toward its target.
void OnGlideTick();
