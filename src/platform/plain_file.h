// Reading a whole small file, and telling whether an output is a terminal.
#pragma once

#include <cstddef>

// Reads at most size bytes of the file at path into buffer; returns the bytes
// read, -1 on failure. Only a plain file is read: a named pipe or a device
// could hold the reader (and the whole panel) for as long as nothing writes
// to it.
long ReadPlainFile(const char* path, char* buffer, size_t size);

// Whether standard error goes to a terminal (progress is then drawn in place).
bool StandardErrorIsTerminal();
