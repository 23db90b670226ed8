#pragma once
// Draws one skin of the table. The look: flat slate faces with a fine
// bevel on light lavender panels, light grey labels, and one accent colour,
// orange, for hover, pressed and lit states. BMP skins are opaque; PNG skins
// keep real transparency around their shape.
#include <QImage>

#include "tools/skingen/SkinTable.h"

QImage DrawSkin(const SkinEntry& entry);
