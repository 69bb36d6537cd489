// Query shapes, by which the check's per-row lookups share one prepared
// statement: which numbers become placeholders and which texts keep their
// literals.

#include "db/driver/statement_shape.h"

#include <gtest/gtest.h>

namespace {

TEST(StatementShapeTest, NumbersOfTheWhereClauseOnly) {
  const struct {
    const char* sql;
    bool shaped;
    const char* shape;
    std::vector<int64_t> values;
  } cases[] = {
      {"SELECT name,is_deleted FROM object_properties WHERE object_id=17",
       true,
       "SELECT name,is_deleted FROM object_properties WHERE object_id=?",
       {17}},
      {"SELECT id FROM event_groups WHERE id=-2147483639",
       true,
       "SELECT id FROM event_groups WHERE id=-?",
       {2147483639}},
      {"SELECT count(*) FROM idata_102 WHERE idata_timestamp>1700000000",
       true,
       "SELECT count(*) FROM idata_102 WHERE idata_timestamp>?",
       {1700000000}},
      {"select a FROM t where b=1 AND c IN (2,3) AND d='4' AND e=\"5\"",
       true,
       "select a FROM t where b=? AND c IN (?,?) AND d='4' AND e=\"5\"",
       {1, 2, 3}},
      {"SELECT id FROM subnets WHERE ip_addr='10.0.0.0'", false, "", {}},
      {"SELECT a FROM t WHERE b=1.5 AND c=1e3 AND d=0x1F AND f=x2",
       false,
       "",
       {}},
      {"SELECT 5 FROM t WHERE x_7=y9", false, "", {}},
      {"SELECT a FROM t WHERE b=1 ORDER BY 1", false, "", {}},
      {"SELECT a,count(*) FROM t WHERE b=1 GROUP  BY a", false, "", {}},
      {"SELECT a FROM t WHERE b=99999999999999999999", false, "", {}},
      {"DELETE FROM t WHERE id=5", false, "", {}},
      {"SELECTED FROM t WHERE id=5", false, "", {}},
      {"SELECT id,primary_ip FROM nodes", false, "", {}},
      {"SELECT a FROM t WHERE b='it''s 5' AND c=6",
       true,
       "SELECT a FROM t WHERE b='it''s 5' AND c=?",
       {6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    std::string shape;
    std::vector<int64_t> values;
    ASSERT_EQ(driver::ShapeSelect(c.sql, &shape, &values), c.shaped);
    if (!c.shaped) continue;
    EXPECT_EQ(shape, c.shape);
    EXPECT_EQ(values, c.values);
  }
}

}  // namespace
