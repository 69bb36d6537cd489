// The eight stage procedures of the check, in the order the check runs
// them. Each opens its stage line with the title it is given, reports and
// repairs through the stage reporter, and closes the line, also when its
// first select fails.
#ifndef SCHEMON_CHECK_STAGES_H_
#define SCHEMON_CHECK_STAGES_H_

// Stage 1: every node has its properties row and, unless deleted, is linked
// to a subnet or a container (offering a subnet link, else deletion).
void VerifyNodeObjects(const char* title);

// Stages 2 and 3: every row of table has its properties row and belongs to
// a live node. The title is a format whose "%s" takes the kind word.
void VerifyComponentObjects(const char* title, const char* kind,
                            const char* table);
void VerifyInterfaceObjects(const char* title);
void VerifyNetworkServiceObjects(const char* title);

// Stage 4: cluster memberships refer to existing nodes.
void VerifyClusterMembers(const char* title);

// Stage 5: template-to-node mappings refer to existing nodes.
void VerifyTemplateMappings(const char* title);

// Stage 6: every object's modification timestamp is set.
void VerifyObjectTimestamps(const char* title);

// Stage 7: the event processing policy refers to existing objects, events,
// event groups and actions.
void VerifyEventPolicy(const char* title);

// Stage 8: no collected data and no last poll time lies in the future.
void VerifyCollectedData(const char* title);

#endif  // SCHEMON_CHECK_STAGES_H_
