#pragma once

#include "engine/session.h"

namespace kelvor {

// The start-up environment as Qt sees it: the locale's decimal point, the executable's folder,
// the data folder ($KELVOR_DATA_DIR, else the per-user data folder seeded from the shipped
// tables beside the program or under ../share/kelvor), the manuals' folder found the same way.
StartupEnvironment QtStartupEnvironment();

}  // namespace kelvor
