#pragma once
// The header bar's button pictures (38 × 38), drawn by the program.

#include <QImage>

enum class ButtonPicture { Settings, Manual, Close, SlopeMode, MeshMode };

QImage DrawButtonPicture(ButtonPicture which);
