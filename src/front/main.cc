// The schemon executable.

#include "front/schemon_main.h"

int main(int argc, char* argv[]) { return SchemonMain(argc, argv); }
