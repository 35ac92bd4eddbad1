#pragma once

// The program as ssh's SSH_ASKPASS helper while the window publishes: ssh starts it with the prompt
// as its one argument, and PROJECT_CATALOGUE_ASKPASS set. It asks in a dialog and prints the answer
// for ssh, which alone keeps it; nothing is stored. Status 1 when the user cancels.
namespace Askpass {

constexpr const char *Variable = "PROJECT_CATALOGUE_ASKPASS";

int run(int &argc, char **argv);

} // namespace Askpass
