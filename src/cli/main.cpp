#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return velunor::cli::Run(argc, argv, std::cin, std::cout, std::cerr);
}
