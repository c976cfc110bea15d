// Pictures read from and written to BMP files. The panel's pictures live in the
// Bitmap folder of the working directory.
#pragma once

#include <string>

#include "platform/picture.h"

// Reads <working directory>/Bitmap/<name>; an empty picture when the file is
// missing or unreadable (the panel then simply lacks that part).
Picture LoadPicture(const std::string& name);

// Reads or writes a BMP file at path; an empty picture / false on failure.
Picture ReadBmp(const std::string& path);
bool WriteBmp(const std::string& path, const Picture& picture);
