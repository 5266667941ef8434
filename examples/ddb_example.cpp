#include <cstdio>

int main() {
  std::puts("ddb example: nothing to run yet");
  return 0;
}
