#pragma once

// Program entry: shows the splash screen and runs the event loop.
int runApplication(int argc, char* argv[]);
