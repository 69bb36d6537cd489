// The shape of a query: its text with the integer literals of its WHERE
// clause replaced by placeholders. Queries that differ only by those
// numbers share one shape, so a backend can prepare a shape once and run it
// with the numbers bound.
#ifndef SCHEMON_DB_DRIVER_STATEMENT_SHAPE_H_
#define SCHEMON_DB_DRIVER_STATEMENT_SHAPE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace driver {

// Fills *shape with the text of a SELECT in which every integer literal
// after its first WHERE (outside quotes, not part of a name or of another
// kind of number) is written "?", and *values with those numbers in order.
// Returns false, leaving the text to be run as it is, when the query is no
// SELECT, has no such literal, has an ORDER BY or GROUP BY (whose numbers
// may be column positions), or a literal that does not fit 64 bits.
bool ShapeSelect(const std::string& sql, std::string* shape,
                 std::vector<int64_t>* values);

}  // namespace driver

#endif  // SCHEMON_DB_DRIVER_STATEMENT_SHAPE_H_
