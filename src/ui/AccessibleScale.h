#pragma once

namespace ui {

// Screen readers and magnifiers ask where each control is in the screen's own pixels, but Qt
// 6.4's bridge to them answers in Qt's scaled coordinates: at a window scale of 1.25 the main
// window is 733x509 on screen and 586x407 on the bus. From this call on, every widget's
// accessible interface (and the list rows, menu items and text characters under it) reports its
// place in screen pixels and finds children at screen pixels, keeping its role, name, states and
// actions. Call it once, after the application object exists and before any window is made. Where
// every screen is at scale 1 it installs nothing.
void scaleAccessiblePlaces();

} // namespace ui
