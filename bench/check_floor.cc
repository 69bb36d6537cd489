// The floors of the check's cost: the check's own lookup sequence (one
// statement per examined row) sent by a plain client through the database's
// C library with prepared statements, and the set-based SQL that finds the
// same inconsistencies. Report only: nothing is repaired.
//
//   schemon_bench_check_floor sqlite FILE | pgsql CONNINFO | mysql SOCKET DB
// Prints "rows=<examined> prepared=<s> setbased=<s>".

#include <libpq-fe.h>
#include <mysql.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// One database through its C library: statements with one integer
// parameter prepared once by text, and plain queries.
class Client {
 public:
  virtual ~Client() = default;
  // Runs a prepared statement whose only parameter is arg; fills rows.
  virtual void Run(const std::string& sql, long long arg, Rows* rows) = 0;
  virtual void Query(const std::string& sql, Rows* rows) = 0;
};

class SqliteClient : public Client {
 public:
  explicit SqliteClient(const char* path) {
    if (sqlite3_open(path, &db_) != SQLITE_OK) Die(sqlite3_errmsg(db_));
  }
  ~SqliteClient() override {
    for (auto& s : cache_) sqlite3_finalize(s.second);
    sqlite3_close(db_);
  }
  void Run(const std::string& sql, long long arg, Rows* rows) override {
    sqlite3_stmt*& stmt = cache_[sql];
    if (stmt == nullptr &&
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
      Die(sqlite3_errmsg(db_));
    }
    sqlite3_bind_int64(stmt, 1, arg);
    Step(stmt, rows);
    sqlite3_reset(stmt);
  }
  void Query(const std::string& sql, Rows* rows) override {
    sqlite3_stmt* stmt;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
      rows->clear();  // a missing table, as the check meets it
      return;
    }
    Step(stmt, rows);
    sqlite3_finalize(stmt);
  }

 private:
  static void Step(sqlite3_stmt* stmt, Rows* rows) {
    rows->clear();
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int c = 0; c < sqlite3_column_count(stmt); c++) {
        const unsigned char* text = sqlite3_column_text(stmt, c);
        row.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text)
                                         : "");
      }
      rows->push_back(std::move(row));
    }
  }
  static void Die(const char* why) {
    fprintf(stderr, "sqlite: %s\n", why);
    exit(1);
  }
  sqlite3* db_ = nullptr;
  std::map<std::string, sqlite3_stmt*> cache_;
};

class PgClient : public Client {
 public:
  explicit PgClient(const char* conninfo) : conn_(PQconnectdb(conninfo)) {
    if (PQstatus(conn_) != CONNECTION_OK) {
      fprintf(stderr, "pgsql: %s", PQerrorMessage(conn_));
      exit(1);
    }
  }
  ~PgClient() override { PQfinish(conn_); }
  void Run(const std::string& sql, long long arg, Rows* rows) override {
    auto it = names_.find(sql);
    if (it == names_.end()) {
      std::string name = "s" + std::to_string(names_.size());
      PGresult* r = PQprepare(conn_, name.c_str(), sql.c_str(), 1, nullptr);
      PQclear(r);
      it = names_.emplace(sql, name).first;
    }
    std::string value = std::to_string(arg);
    const char* values[1] = {value.c_str()};
    Collect(PQexecPrepared(conn_, it->second.c_str(), 1, values, nullptr,
                           nullptr, 0),
            rows);
  }
  void Query(const std::string& sql, Rows* rows) override {
    Collect(PQexec(conn_, sql.c_str()), rows);
  }

 private:
  static void Collect(PGresult* r, Rows* rows) {
    rows->clear();
    if (PQresultStatus(r) == PGRES_TUPLES_OK) {
      for (int i = 0; i < PQntuples(r); i++) {
        std::vector<std::string> row;
        for (int c = 0; c < PQnfields(r); c++)
          row.push_back(PQgetvalue(r, i, c));
        rows->push_back(std::move(row));
      }
    }
    PQclear(r);
  }
  PGconn* conn_;
  std::map<std::string, std::string> names_;
};

class MysqlClient : public Client {
 public:
  MysqlClient(const char* socket, const char* db) : conn_(mysql_init(nullptr)) {
    if (mysql_real_connect(conn_, nullptr, "root", nullptr, db, 0, socket, 0) ==
        nullptr) {
      fprintf(stderr, "mysql: %s\n", mysql_error(conn_));
      exit(1);
    }
  }
  ~MysqlClient() override {
    for (auto& s : cache_) mysql_stmt_close(s.second);
    mysql_close(conn_);
  }
  void Run(const std::string& sql, long long arg, Rows* rows) override {
    MYSQL_STMT*& stmt = cache_[sql];
    if (stmt == nullptr) {
      stmt = mysql_stmt_init(conn_);
      if (mysql_stmt_prepare(stmt, sql.c_str(), sql.size()) != 0) {
        fprintf(stderr, "mysql: %s\n", mysql_stmt_error(stmt));
        exit(1);
      }
    }
    MYSQL_BIND param = {};
    param.buffer_type = MYSQL_TYPE_LONGLONG;
    param.buffer = &arg;
    mysql_stmt_bind_param(stmt, &param);
    rows->clear();
    if (mysql_stmt_execute(stmt) != 0) return;
    unsigned columns = mysql_stmt_field_count(stmt);
    std::vector<MYSQL_BIND> out(columns);
    std::vector<std::vector<char>> buffers(columns, std::vector<char>(256));
    std::vector<unsigned long> lengths(columns);
    for (unsigned c = 0; c < columns; c++) {
      out[c].buffer_type = MYSQL_TYPE_STRING;
      out[c].buffer = buffers[c].data();
      out[c].buffer_length = 256;
      out[c].length = &lengths[c];
    }
    if (columns > 0) mysql_stmt_bind_result(stmt, out.data());
    mysql_stmt_store_result(stmt);
    while (mysql_stmt_fetch(stmt) == 0) {
      std::vector<std::string> row;
      for (unsigned c = 0; c < columns; c++) {
        row.emplace_back(buffers[c].data(), lengths[c]);
      }
      rows->push_back(std::move(row));
    }
    mysql_stmt_free_result(stmt);
  }
  void Query(const std::string& sql, Rows* rows) override {
    rows->clear();
    if (mysql_query(conn_, sql.c_str()) != 0) return;
    MYSQL_RES* result = mysql_store_result(conn_);
    if (result == nullptr) return;
    unsigned columns = mysql_num_fields(result);
    while (MYSQL_ROW r = mysql_fetch_row(result)) {
      std::vector<std::string> row;
      for (unsigned c = 0; c < columns; c++) row.emplace_back(r[c] ? r[c] : "");
      rows->push_back(std::move(row));
    }
    mysql_free_result(result);
  }

 private:
  MYSQL* conn_;
  std::map<std::string, MYSQL_STMT*> cache_;
};

long long Id(const std::string& text) { return atoll(text.c_str()); }

unsigned ParseIp(const std::string& text) {
  unsigned a = 0, b = 0, c = 0, d = 0;
  sscanf(text.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d);
  return a << 24 | b << 16 | c << 8 | d;
}

// The check's lookups, stage by stage; returns the rows examined.
long long PreparedSequence(Client* db, const std::string& param) {
  auto q = [&](const char* text) {
    std::string sql = text;
    sql.replace(sql.find('?'), 1, param);
    return sql;
  };
  long long examined = 0;
  Rows rows, look, more;
  db->Query("SELECT id,primary_ip FROM nodes", &rows);
  for (const auto& node : rows) {
    examined++;
    long long id = Id(node[0]);
    db->Run(q("SELECT name,is_deleted FROM object_properties WHERE "
              "object_id=?"),
            id, &look);
    if (!look.empty() && Id(look[0][1]) != 0) continue;
    db->Run(q("SELECT subnet_id FROM nsmap WHERE node_id=?"), id, &look);
    if (!look.empty()) continue;
    db->Run(q("SELECT container_id FROM container_members WHERE "
              "object_id=?"),
            id, &look);
    if (!look.empty() || ParseIp(node[1]) == 0) continue;
    db->Run(q("SELECT ip_addr,ip_netmask FROM interfaces WHERE node_id=?"), id,
            &more);
    for (const auto& i : more) {
      unsigned net = ParseIp(i[0]) & ParseIp(i[1]);
      char sql[128];
      snprintf(sql, sizeof sql,
               "SELECT id FROM subnets WHERE ip_addr='%u.%u.%u.%u'", net >> 24,
               net >> 16 & 255, net >> 8 & 255, net & 255);
      db->Query(sql, &look);
      if (!look.empty()) break;
    }
  }
  for (const char* table : {"interfaces", "network_services"}) {
    db->Query(std::string("SELECT id,node_id FROM ") + table, &rows);
    for (const auto& r : rows) {
      examined++;
      db->Run(q("SELECT name,is_deleted FROM object_properties WHERE "
                "object_id=?"),
              Id(r[0]), &look);
      db->Run(q("SELECT name FROM object_properties WHERE object_id=? AND "
                "is_deleted=0"),
              Id(r[1]), &look);
    }
  }
  for (const char* list : {"SELECT cluster_id,node_id FROM cluster_members",
                           "SELECT template_id,node_id FROM dct_node_map "
                           "ORDER BY template_id"}) {
    db->Query(list, &rows);
    for (const auto& r : rows) {
      examined++;
      db->Run(q("SELECT id FROM nodes WHERE id=?"), Id(r[1]), &look);
      if (look.empty()) {
        db->Run(q("SELECT name FROM object_properties WHERE object_id=?"),
                Id(r[0]), &look);
      }
    }
  }
  db->Query("SELECT object_id,name,last_modified FROM object_properties",
            &rows);
  examined += static_cast<long long>(rows.size());
  const struct {
    const char* list;
    const char* lookup;
  } policy[] = {
      {"SELECT object_id FROM policy_source_list",
       "SELECT object_id FROM object_properties WHERE object_id=?"},
      {"SELECT event_code FROM policy_event_list",
       "SELECT event_code FROM event_cfg WHERE event_code=?"},
      {"SELECT action_id FROM policy_action_list",
       "SELECT action_id FROM actions WHERE action_id=?"},
  };
  for (const auto& p : policy) {
    db->Query(p.list, &rows);
    for (const auto& r : rows) {
      examined++;
      db->Run(q(p.lookup), Id(r[0]), &look);
    }
  }
  db->Query("SELECT id FROM nodes", &rows);
  long long now = time(nullptr);
  for (const auto& r : rows) {
    examined++;
    std::string sql = "SELECT count(*) FROM idata_" + r[0] +
                      " WHERE idata_timestamp>" + std::to_string(now);
    db->Query(sql, &look);
  }
  db->Query("SELECT count(*) FROM raw_dci_values WHERE last_poll_time>" +
                std::to_string(now),
            &look);
  return examined;
}

// The same inconsistencies found set-wise: one statement per kind, and one
// count per node data table, which no join can reach.
void SetBased(Client* db) {
  std::string now = std::to_string(time(nullptr));
  const char* queries[] = {
      "SELECT n.id FROM nodes n LEFT JOIN object_properties p ON "
      "p.object_id=n.id WHERE p.object_id IS NULL",
      "SELECT n.id FROM nodes n JOIN object_properties p ON p.object_id=n.id "
      "WHERE p.is_deleted=0 AND NOT EXISTS (SELECT 1 FROM nsmap m WHERE "
      "m.node_id=n.id) AND NOT EXISTS (SELECT 1 FROM container_members c "
      "WHERE c.object_id=n.id)",
      "SELECT i.id FROM interfaces i LEFT JOIN object_properties p ON "
      "p.object_id=i.id WHERE p.object_id IS NULL",
      "SELECT i.id FROM interfaces i LEFT JOIN object_properties p ON "
      "p.object_id=i.node_id AND p.is_deleted=0 WHERE p.object_id IS NULL",
      "SELECT s.id FROM network_services s LEFT JOIN object_properties p ON "
      "p.object_id=s.id WHERE p.object_id IS NULL",
      "SELECT s.id FROM network_services s LEFT JOIN object_properties p ON "
      "p.object_id=s.node_id AND p.is_deleted=0 WHERE p.object_id IS NULL",
      "SELECT c.cluster_id FROM cluster_members c LEFT JOIN nodes n ON "
      "n.id=c.node_id WHERE n.id IS NULL",
      "SELECT m.template_id FROM dct_node_map m LEFT JOIN nodes n ON "
      "n.id=m.node_id WHERE n.id IS NULL",
      "SELECT object_id FROM object_properties WHERE last_modified=0",
      "SELECT s.object_id FROM policy_source_list s LEFT JOIN "
      "object_properties p ON p.object_id=s.object_id WHERE p.object_id IS "
      "NULL",
      "SELECT e.event_code FROM policy_event_list e LEFT JOIN event_cfg c ON "
      "c.event_code=e.event_code LEFT JOIN event_groups g ON "
      "g.id=e.event_code WHERE c.event_code IS NULL AND g.id IS NULL",
      "SELECT a.action_id FROM policy_action_list a LEFT JOIN actions x ON "
      "x.action_id=a.action_id WHERE x.action_id IS NULL",
  };
  Rows rows, look;
  for (const char* sql : queries) db->Query(sql, &rows);
  db->Query("SELECT id FROM nodes", &rows);
  for (const auto& r : rows) {
    db->Query(
        "SELECT count(*) FROM idata_" + r[0] + " WHERE idata_timestamp>" + now,
        &look);
  }
  db->Query("SELECT count(*) FROM raw_dci_values WHERE last_poll_time>" + now,
            &look);
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr,
            "usage: %s sqlite FILE | pgsql CONNINFO | mysql SOCKET DB\n",
            argv[0]);
    return 2;
  }
  std::unique_ptr<Client> db;
  std::string kind = argv[1], param = "?";
  if (kind == "sqlite") {
    db = std::make_unique<SqliteClient>(argv[2]);
  } else if (kind == "pgsql") {
    db = std::make_unique<PgClient>(argv[2]);
    param = "$1";
  } else if (kind == "mysql" && argc > 3) {
    db = std::make_unique<MysqlClient>(argv[2], argv[3]);
  } else {
    return 2;
  }
  Rows ignored;
  db->Query("BEGIN", &ignored);
  auto start = std::chrono::steady_clock::now();
  long long examined = PreparedSequence(db.get(), param);
  double prepared = Seconds(start);
  start = std::chrono::steady_clock::now();
  SetBased(db.get());
  double set_based = Seconds(start);
  db->Query("ROLLBACK", &ignored);
  printf("rows=%lld prepared=%.2f setbased=%.2f\n", examined, prepared,
         set_based);
  return 0;
}
