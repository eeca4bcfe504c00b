// Resource ids of ZelBase.dll's own bitmaps.
#pragma once

#define IDB_HEAD_BAR 178    // title bar background, 1 x 42, the top 22 rows used
#define IDB_HEAD_CLOSE 260  // title bar close image, 16 x 16, white outside the button
