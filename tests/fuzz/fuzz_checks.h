// The property checks of the fuzz targets, one per parser of outside input.
// Each runs one input and returns "" when the property holds, else what
// went wrong. The libFuzzer targets call them on generated inputs; the
// corpus replay test calls them on the seed corpora in the normal suite.
#ifndef SCHEMON_TESTS_FUZZ_FUZZ_CHECKS_H_
#define SCHEMON_TESTS_FUZZ_FUZZ_CHECKS_H_

#include <cstddef>
#include <cstdint>
#include <string>

// The configuration loader on the production template (config_loader_fuzz).
std::string CheckConfigLoader(const uint8_t* data, size_t size);

// The batch and init statement splitter (statement_splitter_fuzz).
std::string CheckStatementSplitter(const uint8_t* data, size_t size);

// Hash escaping and unescaping (hash_escape_fuzz).
std::string CheckHashEscape(const uint8_t* data, size_t size);

// Import of an export file into a fresh SQLite database (import_fuzz).
std::string CheckImport(const uint8_t* data, size_t size);

#endif  // SCHEMON_TESTS_FUZZ_FUZZ_CHECKS_H_
