// Resources of the picture pane.
#pragma once

#define IDD_LOAD_IMAGE 296
#define IDC_LOAD_PROGRESS 1060
