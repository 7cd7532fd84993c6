// Identifiers shared by morvane.rc and the code that loads the resources.
#pragma once

#define MORVANE_ICON 1
#define MORVANE_SONG_FONT 2
