// Upgrade steps 41 to 63: not built yet; every step says so and fails.

#include "upgrade/steps.h"

int Migrate41To42() { return StepNotAvailable(41); }
int Migrate42To43() { return StepNotAvailable(42); }
int Migrate43To44() { return StepNotAvailable(43); }
int Migrate44To45() { return StepNotAvailable(44); }
int Migrate45To46() { return StepNotAvailable(45); }
int Migrate46To47() { return StepNotAvailable(46); }
int Migrate47To48() { return StepNotAvailable(47); }
int Migrate48To49() { return StepNotAvailable(48); }
int Migrate49To50() { return StepNotAvailable(49); }
int Migrate50To51() { return StepNotAvailable(50); }
int Migrate51To52() { return StepNotAvailable(51); }
int Migrate52To53() { return StepNotAvailable(52); }
int Migrate53To54() { return StepNotAvailable(53); }
int Migrate54To55() { return StepNotAvailable(54); }
int Migrate55To56() { return StepNotAvailable(55); }
int Migrate56To57() { return StepNotAvailable(56); }
int Migrate57To58() { return StepNotAvailable(57); }
int Migrate58To59() { return StepNotAvailable(58); }
int Migrate59To60() { return StepNotAvailable(59); }
int Migrate60To61() { return StepNotAvailable(60); }
int Migrate61To62() { return StepNotAvailable(61); }
int Migrate62To63() { return StepNotAvailable(62); }
