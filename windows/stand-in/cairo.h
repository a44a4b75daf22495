#pragma once

// The Windows build draws nothing yet (its pictures come with the windows): the program-wide
// state still names the picture types, so it needs their names and no more. Nothing is called.
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;
