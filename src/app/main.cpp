#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("petsim %s\n", PETSIM_VERSION);
    return 0;
  }
  std::printf("petsim %s: the windows are not built yet\n", PETSIM_VERSION);
  return 0;
}
