// Command-line host of the engine (placeholder until the host lands).
#include <cstdint>
#include <cstdio>

extern "C" std::int32_t IDRELM(std::int32_t code);

int main() { return IDRELM(6); }
