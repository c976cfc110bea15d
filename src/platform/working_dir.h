// Files of the program's working directory: the settings file, the default
// song and the panel's pictures are all found there.
#pragma once

#include <string>

// The working directory's full path, however long; "" when it has none (it
// was removed, or its path cannot be had).
std::string WorkingDirectory();

// The full path of a file in the working directory. When the directory has no
// full path the name is returned bare, so that it is looked for there or
// nowhere: a removed working folder never becomes the root folder.
std::string WorkingDirectoryPath(const std::string& name);
