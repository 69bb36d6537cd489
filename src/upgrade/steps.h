// The step procedures, one per version: MigrateNToM takes the schema from
// version N to M = N + 1 inside the transaction the upgrade driver opened.
// Each returns non-zero on success and 0 on failure, after the failing
// statement was reported; its last statement writes the new version.
#ifndef SCHEMON_UPGRADE_STEPS_H_
#define SCHEMON_UPGRADE_STEPS_H_

// Defined in upgrade/steps_14_27.cc.
int Migrate14To15();
int Migrate15To16();
int Migrate16To17();
int Migrate17To18();
int Migrate18To19();
int Migrate19To20();
int Migrate20To21();
int Migrate21To22();
int Migrate22To23();
int Migrate23To24();
int Migrate24To25();
int Migrate25To26();
int Migrate26To27();

// Defined in upgrade/steps_27_41.cc.
int Migrate27To28();
int Migrate28To29();
int Migrate29To30();
int Migrate30To31();
int Migrate31To32();
int Migrate32To33();
int Migrate33To34();
int Migrate34To35();
int Migrate35To36();
int Migrate36To37();
int Migrate37To38();
int Migrate38To39();
int Migrate39To40();
int Migrate40To41();

// Defined in upgrade/steps_41_63.cc.
int Migrate41To42();
int Migrate42To43();
int Migrate43To44();
int Migrate44To45();
int Migrate45To46();
int Migrate46To47();
int Migrate47To48();
int Migrate48To49();
int Migrate49To50();
int Migrate50To51();
int Migrate51To52();
int Migrate52To53();
int Migrate53To54();
int Migrate54To55();
int Migrate55To56();
int Migrate56To57();
int Migrate57To58();
int Migrate58To59();
int Migrate59To60();
int Migrate60To61();
int Migrate61To62();
int Migrate62To63();

// Defined in upgrade/steps_63_86.cc.
int Migrate63To64();
int Migrate64To65();
int Migrate65To66();
int Migrate66To67();
int Migrate67To68();
int Migrate68To69();
int Migrate69To70();
int Migrate70To71();
int Migrate71To72();
int Migrate72To73();
int Migrate73To74();
int Migrate74To75();
int Migrate75To76();
int Migrate76To77();
int Migrate77To78();
int Migrate78To79();
int Migrate79To80();
int Migrate80To81();
int Migrate81To82();
int Migrate82To83();
int Migrate83To84();
int Migrate84To85();
int Migrate85To86();

// Defined in upgrade/steps_86_98.cc.
int Migrate86To87();
int Migrate87To88();
int Migrate88To89();
int Migrate89To90();
int Migrate90To91();
int Migrate91To92();
int Migrate92To93();
int Migrate93To94();
int Migrate94To95();
int Migrate95To96();
int Migrate96To97();
int Migrate97To98();

// Prints that upgrades from version `version` are not available in this
// build and returns 0, so that the driver rolls the step back. The step
// procedures of ranges not built yet call it.
int StepNotAvailable(int version);

#endif  // SCHEMON_UPGRADE_STEPS_H_
