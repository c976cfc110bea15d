// Windows has no such header: the test build declares what is used in
// windows_compat.h.
#pragma once
