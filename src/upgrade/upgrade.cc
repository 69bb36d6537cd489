#include "upgrade/upgrade.h"

#include <cstdio>

// Not built yet: says so and leaves the database untouched.
void DoUpgrade() {
  printf("The \"upgrade\" command is not available in this version\n");
}
