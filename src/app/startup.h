#pragma once

class ScreenRegistry;

// Tells the registry which screen is home and who opens help: the frame knows
// no screen, so start-up names them.
void wireScreens(ScreenRegistry& screens);

// Shows the splash screen at once; its timer calls finishStartup().
void startProgram(ScreenRegistry& screens);
// Loads the tables, shows the main menu and lets the splash screen go.
void finishStartup(ScreenRegistry& screens);
