// Temporary: values owned by the view until it lands on main.
#include "perform/play_state.h"

Point g_CursorClient;
Point g_CursorScreen;
