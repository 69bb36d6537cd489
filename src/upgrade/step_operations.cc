#include "upgrade/step_operations.h"

#include "db/exec.h"

bool RunOperation(const StepOperation& op) {
  switch (op.kind) {
    case StepOperation::kScript:
      return RunScript(op.text);
    case StepOperation::kTable:
      return AddTable(op.text);
    case StepOperation::kDdl:
      return ExecDdl(op.text);
    case StepOperation::kServerVariable:
      return AddServerVariable(op.text, op.first, op.visible, op.restart, 0);
    case StepOperation::kConvert:
      return ConvertEscapedColumn(op.text, op.first, op.second);
    case StepOperation::kMove:
      return MoveVariableToMetadata(op.text, op.first);
    case StepOperation::kQuery:
      return ExecQuery(op.text);
  }
  return false;
}

bool RunOperations(const StepOperation* ops, size_t count) {
  for (size_t i = 0; i < count; i++) {
    if (StepMustStop(RunOperation(ops[i]))) return false;
  }
  return true;
}
