#include "ui/main/MainWindowPictures.h"

#include "core/AppState.h"
#include "gfx/StoredPictures.h"

void LoadMainWindowPictures(AppState& app) {
  app.mainBackgroundImage.LoadFromBytes(stored::mainBackground);
  app.closeButtonImage.LoadFromBytes(stored::closeButton);
  app.minimizeButtonImage.LoadFromBytes(stored::minimizeButton);
  app.plainPanelImage.LoadFromBytes(stored::plainPanel);
  app.skillGridImage.LoadFromBytes(stored::skillGrid);
  app.washPanelImage.LoadFromBytes(stored::washPanel);
  app.tabButtonImages[1].LoadFromBytes(stored::tabWashBright);
  app.tabButtonImages[2].LoadFromBytes(stored::tabMergeDull);
  app.tabButtonImages[3].LoadFromBytes(stored::tabBookDull);
  app.releaseButtonImage.LoadFromBytes(stored::releaseButton);
  app.washButtonImage.LoadFromBytes(stored::washButton);
  app.mergePanelImage.LoadFromBytes(stored::mergePanel);
  app.mergeButtonImage.LoadFromBytes(stored::mergeButton);
  app.bookPanelImage.LoadFromBytes(stored::bookPanel);
  app.learnButtonImage.LoadFromBytes(stored::learnButton);
  app.bookIcon.LoadFromBytes(kEmptyByteConstant);
}
