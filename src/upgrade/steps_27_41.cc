// Upgrade steps 27 to 41: not built yet; every step says so and fails.

#include "upgrade/steps.h"

int Migrate27To28() { return StepNotAvailable(27); }
int Migrate28To29() { return StepNotAvailable(28); }
int Migrate29To30() { return StepNotAvailable(29); }
int Migrate30To31() { return StepNotAvailable(30); }
int Migrate31To32() { return StepNotAvailable(31); }
int Migrate32To33() { return StepNotAvailable(32); }
int Migrate33To34() { return StepNotAvailable(33); }
int Migrate34To35() { return StepNotAvailable(34); }
int Migrate35To36() { return StepNotAvailable(35); }
int Migrate36To37() { return StepNotAvailable(36); }
int Migrate37To38() { return StepNotAvailable(37); }
int Migrate38To39() { return StepNotAvailable(38); }
int Migrate39To40() { return StepNotAvailable(39); }
int Migrate40To41() { return StepNotAvailable(40); }
