// The per-node data table statements kept in metadata as printf formats
// (IDataTableCreationCommand with the node id once, the index commands with
// it twice), filled in without handing a stored text to printf.
#ifndef SCHEMON_TRANSFER_NODE_COMMAND_H_
#define SCHEMON_TRANSFER_NODE_COMMAND_H_

#include <string>

// Stores format in *out with every "%d" replaced by the node id and every
// "%%" by "%". Returns false when the format holds any other conversion or
// more "%d" than max_ids, which a stored text must not make this tool read.
bool FormatNodeCommand(const char* format, long id, int max_ids,
                       std::string* out);

#endif  // SCHEMON_TRANSFER_NODE_COMMAND_H_
