#include "ui/stand_ins.h"
