#pragma once

#include <QString>

struct Platform;
struct ProgramState;

// The one web address of the program, shown and opened by every web label.
QString vendorAddress();
QString vendorCaption();

// The program directory, the folder "Hilfe" and the page, with exactly one separator between.
QString helpPagePath(const QString& programDirectory, const QString& page);

// Opens the help page of a screen in the browser; a failure is reported in a message box, also
// one that the browser reports later.
void openHelpPage(Platform& platform, const QString& page);

// Opens state.strSeite in the browser; a failure is reported in a message box.
void openWebPage(ProgramState& state, Platform& platform);

// strSeite = the vendor's address, then openWebPage.
void openVendorPage(ProgramState& state, Platform& platform);
