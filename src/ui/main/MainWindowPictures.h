#pragma once

struct AppState;

// Loads the main window's stored pictures into their members, the tab buttons in their starting
// look (wash bright, merge and book dull), and blanks the book slot's icon. Run once when the main
// window has been created.
void LoadMainWindowPictures(AppState& app);
