// The small existence and name lookups the check stages share, and the
// properties-row check of the node and component stages. Each runs traced
// statements through the execution layer; a failed select is reported
// there and read as "no row".
#ifndef SCHEMON_CHECK_LOOKUPS_H_
#define SCHEMON_CHECK_LOOKUPS_H_

#include <cstddef>

// Size of the buffers that hold an object name in the questions (at most
// 63 characters are shown).
#define OBJECT_NAME_SIZE 64

// Returns true when query returns at least one row; false when it returns
// none or fails.
bool SelectReturnsRows(const char* query);

// Returns true when the object is a member of some container.
bool HasContainerMembership(int object_id);

// Returns true when table nodes has a row with this id.
bool NodeRowExists(int node_id);

// Copies the object's stored name (deleted objects included) into buffer
// (OBJECT_NAME_SIZE bytes), or "<unknown>" when it has no properties row or
// the select fails. Returns buffer.
char* LookUpObjectName(int object_id, char* buffer);

// Fills name (OBJECT_NAME_SIZE bytes) and, when deleted is not null,
// *deleted from the properties row of object id, or offers to create the
// row, named "lost_<kind>_<id>", when there is none. The name stays empty
// and *deleted false when the select fails or the row was missing.
void VerifyObjectProperties(const char* kind, int id, char* name,
                            bool* deleted);

#endif  // SCHEMON_CHECK_LOOKUPS_H_
