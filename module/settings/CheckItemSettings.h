#pragma once
// Section Check of Vorna3D.ini: the checked state of the display items.

#include <optional>
#include <string>

#include "settings/SettingsFilePath.h"
#include "settings/SettingsResult.h"

// The keys of display items 1 to 9, in item order.
inline constexpr const char* kCheckItemKeys[9] = {
    "checkArea", "checkLine", "checkNode", "checkGlid", "checkText",
    "checkJikuText", "checkPlaneText", "checkCompass", "checkEdge"};

// The key of display item `item` (1 to 9); nullptr outside that range.
const char* CheckItemKey(int item);

// The stored state of item `item`: (atoi of the value) != 0, or nothing when
// the key is missing (the item then keeps the state its panel gave it), the
// file cannot be read or the item number is out of range.
std::optional<bool> ReadCheckItem(int item, const std::string& path = SettingsFilePath());

// Writes "0" or "1" for the item. Fails, the file unchanged, for an unknown
// item, an unreadable file or a failed write.
SettingsResult WriteCheckItem(int item, bool checked, const std::string& path = SettingsFilePath());
