// The operations upgrade steps are written as data: one StepOperation per
// schema change (script, table, DDL statement, server variable, column
// conversion, move to metadata, plain statement), the constructors the step
// tables use, and the runners that perform a table under the step guard.
#ifndef SCHEMON_UPGRADE_STEP_OPERATIONS_H_
#define SCHEMON_UPGRADE_STEP_OPERATIONS_H_

#include <cstddef>

#include "upgrade/schema_ops.h"

// One schema operation of a step. Which fields are used depends on kind;
// build it with the constructors below rather than by hand.
struct StepOperation {
  enum Kind {
    kScript,          // RunScript(text)
    kTable,           // AddTable(text)
    kDdl,             // ExecDdl(text)
    kServerVariable,  // AddServerVariable(text, first, visible, restart, 0)
    kConvert,         // ConvertEscapedColumn(text, first, second)
    kMove,            // MoveVariableToMetadata(text, first)
    kQuery,           // ExecQuery(text)
  };
  Kind kind;
  const char* text;    // script, DDL, statement, table or variable name
  const char* first;   // key column, new name or default value
  const char* second;  // text column
  int visible;
  int restart;
};

// A script for RunScript: lines ended by a line that is exactly "<END>".
constexpr StepOperation Script(const char* script) {
  return {StepOperation::kScript, script, nullptr, nullptr, 0, 0};
}

// A CREATE TABLE statement for AddTable (markers, MySQL table options).
constexpr StepOperation Table(const char* ddl) {
  return {StepOperation::kTable, ddl, nullptr, nullptr, 0, 0};
}

// One DDL statement for ExecDdl (markers, the database's DDL form).
constexpr StepOperation Ddl(const char* statement) {
  return {StepOperation::kDdl, statement, nullptr, nullptr, 0, 0};
}

// A statement sent as written with ExecQuery.
constexpr StepOperation Query(const char* statement) {
  return {StepOperation::kQuery, statement, nullptr, nullptr, 0, 0};
}

// Moves server variable old_name into metadata as new_name.
constexpr StepOperation Move(const char* old_name, const char* new_name) {
  return {StepOperation::kMove, old_name, new_name, nullptr, 0, 0};
}

// Rewrites table.column from hash-escaped to plain storage by key_column.
constexpr StepOperation Convert(const char* table, const char* key_column,
                                const char* column) {
  return {StepOperation::kConvert, table, key_column, column, 0, 0};
}

// A server variable with its plain default value and flags; a value
// already stored is kept.
constexpr StepOperation Variable(const char* name, const char* value,
                                 int visible, int restart) {
  return {
      StepOperation::kServerVariable, name, value, nullptr, visible, restart};
}

// Performs one operation with the schema operation its kind names and
// returns that operation's result (false for an unknown kind).
bool RunOperation(const StepOperation& op);

// Performs count operations in order. Returns false as soon as one failed
// and -X is not set (the step must then end with failure), true otherwise.
bool RunOperations(const StepOperation* ops, size_t count);

// RunOperations over a whole table.
template <size_t N>
bool RunOperations(const StepOperation (&ops)[N]) {
  return RunOperations(ops, N);
}

// Runs a whole step: its operations in order, each guarded, then the
// statement that writes new_version. Returns 1 on success and 0 when an
// operation or the version statement failed and -X is not set.
template <size_t N>
int RunStep(const StepOperation (&ops)[N], int new_version) {
  if (!RunOperations(ops, N)) return 0;
  CHECK_STEP(SetSchemaVersion(new_version));
  return 1;
}

#endif  // SCHEMON_UPGRADE_STEP_OPERATIONS_H_
