// On core's include path ahead of Qt's own: every Qt Gui and Qt Widgets header includes
// this one, so using either in core/ (or in the settings code) fails here.
#error "core/ and settings/ use Qt Core only: no Qt Gui or Qt Widgets header here"
