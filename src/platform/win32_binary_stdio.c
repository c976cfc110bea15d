/* Linked into every Windows program of the system: the standard streams and
   every file opened without a mode of its own are binary, so the programs
   write exactly the bytes they write on Linux (no carriage returns added). */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>

static void __attribute__((constructor)) UseBinaryFiles(void) {
  _fmode = _O_BINARY;
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}
