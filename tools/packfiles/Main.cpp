// packfiles PRODUCT_DIR FILE_LIST OUTPUT
// packfiles --list STREAM
#include "tools/packfiles/Packer.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--list")
    return ListStream(argv[2], std::cout, std::cerr);
  if (argc == 4) return PackFiles(argv[1], argv[2], argv[3], std::cerr);
  std::cerr << "usage: packfiles PRODUCT_DIR FILE_LIST OUTPUT\n"
               "       packfiles --list STREAM\n";
  return 2;
}
