// slidora-cli: the headless companion (song checker, renderer, scripted runner).
#include "app/cli.h"

int main(int argc, char** argv) { return RunCli(argc, argv); }
