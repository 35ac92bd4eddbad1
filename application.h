#pragma once

// What the program does once it knows what it was asked: main() chooses, and the benchmark's
// launcher starts the window through the same code.
namespace Application {

// Help, version, --build-pages and --check: a QCoreApplication, so that no platform plugin is
// loaded and no display is needed.
int runWithoutWindow(int &argc, char **argv);

// Qt would abort where the window has no display: says why instead, after any mistake in the
// arguments, and returns the exit status.
int refuseWithoutDisplay(int argc, char **argv);

// The window on the catalogue folder the arguments name, as the user starts it.
int runWindow(int &argc, char **argv);

} // namespace Application
