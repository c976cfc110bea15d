// Returns every program-wide value of every subsystem to program start, so that
// each test (and each headless run) begins from a clean system.
#pragma once

void ResetAllState();
