// Output texts that several end-to-end suites expect in full.
#ifndef SCHEMON_TESTS_SUPPORT_EXPECTED_OUTPUT_H_
#define SCHEMON_TESTS_SUPPORT_EXPECTED_OUTPUT_H_

// What a clean "reindex" prints after the banner on every syntax but
// Oracle.
inline const char* ReindexCleanOutput() {
  return "Reindexing table raw_dci_values by (item_id)...\n"
         "Reindexing table event_log by (event_timestamp)...\n"
         "Reindexing table thresholds by (item_id)...\n"
         "Reindexing table thresholds by (sequence_number)...\n"
         "Reindexing table alarm_notes by (alarm_id)...\n"
         "Reindexing table syslog by (msg_timestamp)...\n"
         "Reindexing table snmp_trap_log by (trap_timestamp)...\n"
         "Reindexing table address_lists by (list_type)...\n"
         "Database reindexing complete.\n";
}

#endif  // SCHEMON_TESTS_SUPPORT_EXPECTED_OUTPUT_H_
