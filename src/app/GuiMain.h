// Starting the program with its main window.
#pragma once

// Creates the application object and the main window and runs the event loop.
int runGui(int& argc, char** argv);
