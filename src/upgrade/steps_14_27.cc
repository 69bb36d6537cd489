// Upgrade steps 14 to 27: not built yet; every step says so and fails.

#include "upgrade/steps.h"

int Migrate14To15() { return StepNotAvailable(14); }
int Migrate15To16() { return StepNotAvailable(15); }
int Migrate16To17() { return StepNotAvailable(16); }
int Migrate17To18() { return StepNotAvailable(17); }
int Migrate18To19() { return StepNotAvailable(18); }
int Migrate19To20() { return StepNotAvailable(19); }
int Migrate20To21() { return StepNotAvailable(20); }
int Migrate21To22() { return StepNotAvailable(21); }
int Migrate22To23() { return StepNotAvailable(22); }
int Migrate23To24() { return StepNotAvailable(23); }
int Migrate24To25() { return StepNotAvailable(24); }
int Migrate25To26() { return StepNotAvailable(25); }
int Migrate26To27() { return StepNotAvailable(26); }
