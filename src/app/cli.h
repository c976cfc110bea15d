// Entry of slidora-cli: dispatches to its subcommands (check, events, sim, play,
// render, midi). Returns the process exit status.
#pragma once

int RunCli(int argc, char** argv);
