// Identifiers shared by morvane.rc and the code that loads the resources.
#pragma once

#define MORVANE_ICON 1
