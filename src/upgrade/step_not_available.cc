#include <cstdio>

#include "upgrade/steps.h"

int StepNotAvailable(int version) {
  printf("Upgrades from version %d are not available in this version\n",
         version);
  return 0;
}
