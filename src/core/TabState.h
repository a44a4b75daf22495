#pragma once

// The tab the main window shows. None only before the main window has been created.
enum class TabState {
  None = 0,
  Wash = 1,
  Merge = 2,
  Book = 3,
};
