#pragma once
// The cameras the editor view starts with and fits to the model (key C).

#include "model/EffectiveRange.h"
#include "view/Camera.h"

// The start camera: the building's extent seen from azimuth -120 and
// elevation 15, at least 1500 away; target 0 and distance 5000 for a model
// without storeys or crossings.
void StartCamera(Camera& camera);

// Key C: the effective range (when on) or every span of every storey, seen
// from azimuth -110 and elevation 15 at twice the half-diagonal.
void FitCamera(Camera& camera, const EffectiveRange& range);
