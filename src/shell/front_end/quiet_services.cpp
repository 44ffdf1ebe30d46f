#include "shell/front_end/quiet_services.h"

QuietMovie& TheQuietMovie() {
  static QuietMovie movie;
  return movie;
}
QuietWindow& TheQuietWindow() {
  static QuietWindow window;
  return window;
}
QuietBoxes& TheQuietBoxes() {
  static QuietBoxes boxes;
  return boxes;
}
QuietUi& TheQuietUi() {
  static QuietUi ui;
  return ui;
}
NoReloadDialogs& TheNoReloadDialogs() {
  static NoReloadDialogs dialogs;
  return dialogs;
}
NoPopups& TheNoPopups() {
  static NoPopups popups;
  return popups;
}
