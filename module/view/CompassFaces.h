#pragma once
// The compass cube's six face pictures, drawn by the program: a mark (X-,
// X+, Y-, Y+, Z+, Z-) in dark letters on a grey, radially lit square.

#include "view/SceneRenderer.h"

CompassImages MakeCompassImages();
