// Resource ids of the skinned-control tests: one dialog of their own; the controls and pictures use the
// program's ids from res/resource.h, because the controls pick some pictures by those ids themselves.
#pragma once

#define IDD_UI_CONTROLS 100
