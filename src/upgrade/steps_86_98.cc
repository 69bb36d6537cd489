// Upgrade steps 86 to 98: not built yet; every step says so and fails.

#include "upgrade/steps.h"

int Migrate86To87() { return StepNotAvailable(86); }
int Migrate87To88() { return StepNotAvailable(87); }
int Migrate88To89() { return StepNotAvailable(88); }
int Migrate89To90() { return StepNotAvailable(89); }
int Migrate90To91() { return StepNotAvailable(90); }
int Migrate91To92() { return StepNotAvailable(91); }
int Migrate92To93() { return StepNotAvailable(92); }
int Migrate93To94() { return StepNotAvailable(93); }
int Migrate94To95() { return StepNotAvailable(94); }
int Migrate95To96() { return StepNotAvailable(95); }
int Migrate96To97() { return StepNotAvailable(96); }
int Migrate97To98() { return StepNotAvailable(97); }
