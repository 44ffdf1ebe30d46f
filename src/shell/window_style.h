// The main window's style bits that decide full screen. The dialog starts as
// a popup with a title bar (its loading view); full screen is a popup without
// a title bar, the movie window a title bar without the popup bit. Turning
// full screen on acts only while there is a title bar, off only while the
// window is a popup, so the first "off" turns the loading view into the
// movie window.
#pragma once

struct WindowStyle {
  bool popup = true;
  bool caption = true;
};
