// Stage 1: node objects. Every node needs its properties row, and every
// live node must be reachable in the object tree through a subnet link or
// a container membership.

#include <cstdio>

#include "check/lookups.h"
#include "check/stage_report.h"
#include "check/stages.h"
#include "db/exec.h"
#include "front/runtime/runtime.h"

namespace {

// Offers to link the node to the subnet of one of its interfaces, one offer
// per interface whose network is a known subnet, until one is accepted and
// inserted. An offer that ends without a link is not counted. Returns true
// when a link row was inserted.
bool OfferSubnetLink(int node_id, const char* node_name) {
  char query[256];
  snprintf(query, sizeof query,
           "SELECT ip_addr,ip_netmask FROM interfaces WHERE node_id=%d",
           node_id);
  db_result_t interfaces = ExecSelect(query);
  if (interfaces == nullptr) return false;
  bool linked = false;
  int count = DBGetNumRows(interfaces);
  for (int i = 0; i < count && !linked && !ConnectionLost(); i++) {
    uint32_t network =
        DBGetFieldIPAddr(interfaces, i, 0) & DBGetFieldIPAddr(interfaces, i, 1);
    char network_text[32];
    IpToStr(network, network_text);
    snprintf(query, sizeof query, "SELECT id FROM subnets WHERE ip_addr='%s'",
             network_text);
    db_result_t subnets = ExecSelect(query);
    if (subnets == nullptr) continue;
    if (DBGetNumRows(subnets) == 0) {
      DBFreeResult(subnets);
      continue;
    }
    int subnet_id = static_cast<int>(DBGetFieldULong(subnets, 0, 0));
    DBFreeResult(subnets);
    if (AskAboutIssue("\rUnlinked node object %d (\"%s\") can be linked to "
                      "subnet %d (%s). Link? (Y/N) ",
                      node_id, node_name, subnet_id, network_text)) {
      snprintf(query, sizeof query,
               "INSERT INTO nsmap (subnet_id,node_id) VALUES (%d,%d)",
               subnet_id, node_id);
      if (ExecQuery(query)) {
        g_nIssuesRepaired++;
        linked = true;
      }
    }
    if (!linked) g_nIssuesFound--;
  }
  DBFreeResult(interfaces);
  return linked;
}

// Offers to delete an unlinked node with its access rights and properties.
void OfferNodeDeletion(int node_id, const char* name) {
  if (!AskAboutIssue("\rUnlinked node object %d (\"%s\"). Delete? (Y/N) ",
                     node_id, name)) {
    return;
  }
  char query[256];
  snprintf(query, sizeof query, "DELETE FROM nodes WHERE id=%d", node_id);
  bool ok = ExecQuery(query);
  if (ok) {
    snprintf(query, sizeof query, "DELETE FROM acl WHERE object_id=%d",
             node_id);
    ok = ExecQuery(query);
  }
  snprintf(query, sizeof query,
           "DELETE FROM object_properties WHERE object_id=%d", node_id);
  if (ExecQuery(query) && ok) g_nIssuesRepaired++;
}

}  // namespace

void VerifyNodeObjects(const char* title) {
  OpenStage(title);
  db_result_t nodes = ExecSelect("SELECT id,primary_ip FROM nodes");
  if (nodes != nullptr) {
    int count = DBGetNumRows(nodes);
    for (int i = 0; i < count && !ConnectionLost(); i++) {
      int node_id = static_cast<int>(DBGetFieldULong(nodes, i, 0));
      char name[OBJECT_NAME_SIZE];
      bool deleted;
      // A node without a properties row keeps the empty name and counts as
      // live, so that it is still tested for links in this run.
      VerifyObjectProperties("node", node_id, name, &deleted);
      if (deleted) continue;

      char query[256];
      snprintf(query, sizeof query,
               "SELECT subnet_id FROM nsmap WHERE node_id=%d", node_id);
      db_result_t links = ExecSelect(query);
      if (links == nullptr) continue;
      bool linked = DBGetNumRows(links) > 0;
      DBFreeResult(links);
      if (!linked) linked = HasContainerMembership(node_id);
      if (!linked && DBGetFieldIPAddr(nodes, i, 1) != 0) {
        linked = OfferSubnetLink(node_id, name);
      }
      if (!linked) OfferNodeDeletion(node_id, name);
    }
    DBFreeResult(nodes);
  }
  CloseStage();
}
