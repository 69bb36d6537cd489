// Upgrade steps 63 to 86: not built yet; every step says so and fails.

#include "upgrade/steps.h"

int Migrate63To64() { return StepNotAvailable(63); }
int Migrate64To65() { return StepNotAvailable(64); }
int Migrate65To66() { return StepNotAvailable(65); }
int Migrate66To67() { return StepNotAvailable(66); }
int Migrate67To68() { return StepNotAvailable(67); }
int Migrate68To69() { return StepNotAvailable(68); }
int Migrate69To70() { return StepNotAvailable(69); }
int Migrate70To71() { return StepNotAvailable(70); }
int Migrate71To72() { return StepNotAvailable(71); }
int Migrate72To73() { return StepNotAvailable(72); }
int Migrate73To74() { return StepNotAvailable(73); }
int Migrate74To75() { return StepNotAvailable(74); }
int Migrate75To76() { return StepNotAvailable(75); }
int Migrate76To77() { return StepNotAvailable(76); }
int Migrate77To78() { return StepNotAvailable(77); }
int Migrate78To79() { return StepNotAvailable(78); }
int Migrate79To80() { return StepNotAvailable(79); }
int Migrate80To81() { return StepNotAvailable(80); }
int Migrate81To82() { return StepNotAvailable(81); }
int Migrate82To83() { return StepNotAvailable(82); }
int Migrate83To84() { return StepNotAvailable(83); }
int Migrate84To85() { return StepNotAvailable(84); }
int Migrate85To86() { return StepNotAvailable(85); }
