// The entry point of the setup program.
#include "engine/Startup.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return RunSetup(args);
}
