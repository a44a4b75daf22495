#pragma once

struct AppState;

// Gives every place of the tab shown (app.tabState) its normal value, the button pictures their
// resting places from the control table (MainWindowControls), which also undoes a button's
// pressed look. Places of the other tabs keep their values; the book tab reuses the wash tab's
// plain panel and pet places.
void LayoutMainWindow(AppState& app);
