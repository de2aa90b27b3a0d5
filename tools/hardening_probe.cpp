// A small program for tools/test-check-hardening.sh: a stack buffer (stack
// protector) written by a call whose bounds only fortification checks.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  char buffer[64];
  std::strcpy(buffer, argv[argc - 1]);
  std::puts(buffer);
  return 0;
}
