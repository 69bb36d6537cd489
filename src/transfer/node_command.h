// The per-node data table statements kept in metadata as printf formats
// (IDataTableCreationCommand with the node id once, the index commands with
// it twice): read from the database and filled in without handing a stored
// text to printf.
#ifndef SCHEMON_TRANSFER_NODE_COMMAND_H_
#define SCHEMON_TRANSFER_NODE_COMMAND_H_

#include <string>
#include <vector>

// The formats the database's metadata holds for its per-node tables.
struct NodeTableFormats {
  std::string create;                // IDataTableCreationCommand
  std::vector<std::string> indexes;  // IDataIndexCreationCommand_0, ...
};

// Reads IDataTableCreationCommand and the index commands from _0 up to the
// first one missing or empty (at most four), each cut to 255 characters. When
// the creation command is missing prints "ERROR: unable to determine correct
// query for idata tables creation" and returns false.
bool ReadNodeTableFormats(NodeTableFormats* formats);

// The name of index command k ("IDataIndexCreationCommand_<k>").
std::string IndexCommandName(size_t k);

// Stores format, the value of the metadata variable named variable, in *out
// with every "%d" replaced by the node id and every "%%" by "%". When the
// format holds any other conversion or more "%d" than max_ids, which a
// stored text must not make this tool read, prints "ERROR: <variable>
// "<format>" is not a valid statement format" and returns false.
bool FormatNodeCommand(const char* variable, const char* format, long id,
                       int max_ids, std::string* out);

#endif  // SCHEMON_TRANSFER_NODE_COMMAND_H_
