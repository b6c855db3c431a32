#include <iostream>

int main() {
  std::cout << "Parsing params...\n";
  return 0;
}
