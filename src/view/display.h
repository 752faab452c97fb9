// Whether a window can be opened at all.
#pragma once

// True when the X display named by DISPLAY accepts a connection.
bool display_available();
