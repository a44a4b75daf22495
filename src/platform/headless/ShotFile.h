#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

// Screenshots of a replay are written only below one folder (where petsim was started): a script
// from someone else must not be able to overwrite files elsewhere.

// Writes `surface` as PNG to `relative`, a path below the open folder `folder`. Every folder on
// the way and the file itself are opened without following links, and only a regular file with
// no other name is overwritten. Returns an empty string on success, otherwise why not.
std::string WritePngBelow(int folder, std::string_view relative, cairo_surface_t* surface);
